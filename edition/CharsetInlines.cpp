// The earlier edition carries the header-inline members of the character-set, URI-coding and
// origin-info classes in its own export table, so that modules built against it find them
// there. This file is compiled with -fkeep-inline-functions, which emits every member the
// headers define; the list below exports them. The classes are seen here without their import
// attribute: their other members and their dispatch tables stay brevin's.
#include <brevin_api.h>
#undef BREVIN_API
#define BREVIN_API
#include <QvCharsets.h>
#include <QvOriginInfo.h>
#include <QvUriCoding.h>

// The exported members, by their link names.
#define QV_INLINE_EXPORT(symbol) asm(".section .drectve\n\t.ascii \" -export:" symbol "\"\n\t.text");
#include "CharsetInlineExports.inc"
#undef QV_INLINE_EXPORT

// A defaulted assignment is emitted only where its address is taken.
__attribute__((used)) static QvTransformCtx& (QvTransformCtx::*const kTransformCtxAssign)(const QvTransformCtx&) =
    &QvTransformCtx::operator=;
