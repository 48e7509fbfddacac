// qv_i18n_helper: the standard transforms of the portable layer's texts, made on first use
// and kept. "qv" is the portable layer's UTF-8 text, "ucs2" UTF-16, "html" HTML in
// US-ASCII (every other character as a numeric character reference), "utf8html" HTML in
// UTF-8. The transforms themselves belong to the library and live as long as the process,
// so that copies of a helper share them.
#pragma once
#include "QvCharsets.h"
#include "QvUriCoding.h"
#include "brevin_api.h"

enum QvStdTransformId {
  QvStdQv2Utf8,          // UTF-8 checked: ill-formed bytes replaced
  QvStdUtf82Qv,
  QvStdQv2Html,          // text to ASCII HTML
  QvStdHtml2Qv,          // HTML to text
  QvStdQvHtml2Html,      // UTF-8 HTML to ASCII HTML
  QvStdUtf82Utf8Html     // text to UTF-8 HTML
};
enum QvStdFromUnicodeId { QvStdUcs22Qv, QvStdUcs22Utf8Html };
enum QvStdToUnicodeId { QvStdQv2Ucs2 };

BREVIN_API const QvTransform& QvGetStdTransform(QvStdTransformId id);
BREVIN_API const QvFromUnicodeTransform& QvGetStdFromUnicodeTransform(QvStdFromUnicodeId id);
BREVIN_API const QvToUnicodeTransform& QvGetStdToUnicodeTransform(QvStdToUnicodeId id);
BREVIN_API const QvUriEncoder& QvGetStdUriEncoder();
BREVIN_API const QvUriDecoder& QvGetStdUriDecoder();

class qv_i18n_helper {
 public:
  qv_i18n_helper() = default;
  qv_i18n_helper(const qv_i18n_helper& other) = default;
  qv_i18n_helper& operator=(const qv_i18n_helper& other) = default;

  const QvTransform& qv_2_utf8() { return Std(m_qv2utf8, QvStdQv2Utf8); }
  const QvTransform& utf8_2_qv() { return Std(m_utf82qv, QvStdUtf82Qv); }
  const QvTransform& qv_2_html() { return Std(m_qv2html, QvStdQv2Html); }
  const QvTransform& html_2_qv() { return Std(m_html2qv, QvStdHtml2Qv); }
  const QvTransform& qvhtml_2_html() { return Std(m_qvhtml2html, QvStdQvHtml2Html); }
  const QvTransform& utf8_2_utf8html() { return Std(m_utf82utf8html, QvStdUtf82Utf8Html); }
  const QvFromUnicodeTransform& ucs2_2_qv() {
    if (!m_ucs22qv) m_ucs22qv = &QvGetStdFromUnicodeTransform(QvStdUcs22Qv);
    return *m_ucs22qv;
  }
  const QvToUnicodeTransform& qv_2_ucs2() {
    if (!m_qv2ucs2) m_qv2ucs2 = &QvGetStdToUnicodeTransform(QvStdQv2Ucs2);
    return *m_qv2ucs2;
  }
  const QvFromUnicodeTransform& ucs2_2_utf8html() {
    if (!m_ucs22utf8html) m_ucs22utf8html = &QvGetStdFromUnicodeTransform(QvStdUcs22Utf8Html);
    return *m_ucs22utf8html;
  }
  const QvUriEncoder& uri_encode() {
    if (!m_uriEncoder) m_uriEncoder = &QvGetStdUriEncoder();
    return *m_uriEncoder;
  }
  const QvUriDecoder& uri_decode() {
    if (!m_uriDecoder) m_uriDecoder = &QvGetStdUriDecoder();
    return *m_uriDecoder;
  }

 private:
  static const QvTransform& Std(const QvTransform*& cache, QvStdTransformId id) {
    if (!cache) cache = &QvGetStdTransform(id);
    return *cache;
  }
  const QvTransform* m_qv2utf8 = nullptr;
  const QvTransform* m_utf82qv = nullptr;
  const QvTransform* m_qv2html = nullptr;
  const QvTransform* m_html2qv = nullptr;
  const QvTransform* m_qvhtml2html = nullptr;
  const QvTransform* m_utf82utf8html = nullptr;
  const QvFromUnicodeTransform* m_ucs22qv = nullptr;
  const QvToUnicodeTransform* m_qv2ucs2 = nullptr;
  const QvFromUnicodeTransform* m_ucs22utf8html = nullptr;
  const QvUriEncoder* m_uriEncoder = nullptr;
  const QvUriDecoder* m_uriDecoder = nullptr;
};
