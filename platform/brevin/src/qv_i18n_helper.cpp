#include "qv_i18n_helper.h"

namespace {

const QvCharset* Ascii() { return QvCharsetCatalog().Find("US-ASCII"); }

}  // namespace

const QvTransform& QvGetStdTransform(QvStdTransformId id) {
  // Null charsets are UTF-8.
  static const QvTransformImpl qv2utf8(nullptr, nullptr);
  static const QvTransformImpl qv2html(nullptr, Ascii(), QvTransformEscapeHtml);
  static const QvTransformImpl html2qv(nullptr, nullptr, QvTransformUnescapeHtml);
  static const QvTransformImpl qvhtml2html(nullptr, Ascii(), QvTransformHtmlRefs);
  static const QvTransformImpl utf82utf8html(nullptr, nullptr, QvTransformEscapeHtml);
  switch (id) {
    case QvStdQv2Html: return qv2html;
    case QvStdHtml2Qv: return html2qv;
    case QvStdQvHtml2Html: return qvhtml2html;
    case QvStdUtf82Utf8Html: return utf82utf8html;
    case QvStdQv2Utf8:
    case QvStdUtf82Qv:
    default: return qv2utf8;
  }
}

const QvFromUnicodeTransform& QvGetStdFromUnicodeTransform(QvStdFromUnicodeId id) {
  static const QvFromUnicodeTransformImpl ucs22qv(nullptr);
  static const QvFromUnicodeTransformImpl ucs22utf8html(nullptr, QvTransformEscapeHtml);
  return id == QvStdUcs22Utf8Html ? static_cast<const QvFromUnicodeTransform&>(ucs22utf8html) : ucs22qv;
}

const QvToUnicodeTransform& QvGetStdToUnicodeTransform(QvStdToUnicodeId) {
  static const QvToUnicodeTransformImpl qv2ucs2(nullptr);
  return qv2ucs2;
}

const QvUriEncoder& QvGetStdUriEncoder() {
  static const QvUriEncoderImpl encoder;
  return encoder;
}

const QvUriDecoder& QvGetStdUriDecoder() {
  static const QvUriDecoderImpl decoder;
  return decoder;
}
