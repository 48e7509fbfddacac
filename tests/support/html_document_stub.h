// Every method of the HTML document (IHTMLDocument2) and element (IHTMLElement) interfaces,
// and of IDispatch, answering E_NOTIMPL, for stand-ins that override the few a test needs.
// Written from mingw-w64's mshtml.h.
#pragma once
#include <mshtml.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

namespace webtest {

#define WEBTEST_DISPATCH_STUBS                                                                          \
  STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override { return E_NOTIMPL; }                            \
  STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override { return E_NOTIMPL; }   \
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) \
      override {                                                                                         \
    return E_NOTIMPL;                                                                                    \
  }                                                                                                      \
  STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams, \
                      VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override {             \
    return E_NOTIMPL;                                                                                    \
  }

class HtmlDocumentStub : public IHTMLDocument2 {
 public:
  virtual ~HtmlDocumentStub() = default;
  WEBTEST_DISPATCH_STUBS
  STDMETHODIMP get_Script(IDispatch **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_all(IHTMLElementCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_body(IHTMLElement **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_activeElement(IHTMLElement **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_images(IHTMLElementCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_applets(IHTMLElementCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_links(IHTMLElementCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_forms(IHTMLElementCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_anchors(IHTMLElementCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP put_title(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_title(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_scripts(IHTMLElementCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP put_designMode(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_designMode(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_selection(IHTMLSelectionObject **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_readyState(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_frames(IHTMLFramesCollection2 **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_embeds(IHTMLElementCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_plugins(IHTMLElementCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP put_alinkColor(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_alinkColor(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_bgColor(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_bgColor(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_fgColor(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_fgColor(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_linkColor(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_linkColor(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_vlinkColor(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_vlinkColor(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_referrer(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_location(IHTMLLocation **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_lastModified(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_URL(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_URL(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_domain(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_domain(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_cookie(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_cookie(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_expando(VARIANT_BOOL v) override { return E_NOTIMPL; }
  STDMETHODIMP get_expando(VARIANT_BOOL *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_charset(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_charset(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_defaultCharset(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_defaultCharset(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_mimeType(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_fileSize(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_fileCreatedDate(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_fileModifiedDate(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_fileUpdatedDate(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_security(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_protocol(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_nameProp(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP write(SAFEARRAY *psarray) override { return E_NOTIMPL; }
  STDMETHODIMP writeln(SAFEARRAY *psarray) override { return E_NOTIMPL; }
  STDMETHODIMP open(BSTR url, VARIANT name, VARIANT features, VARIANT replace, IDispatch **pomWindowResult) override { return E_NOTIMPL; }
  STDMETHODIMP close() override { return E_NOTIMPL; }
  STDMETHODIMP clear() override { return E_NOTIMPL; }
  STDMETHODIMP queryCommandSupported(BSTR cmdID, VARIANT_BOOL *pfRet) override { return E_NOTIMPL; }
  STDMETHODIMP queryCommandEnabled(BSTR cmdID, VARIANT_BOOL *pfRet) override { return E_NOTIMPL; }
  STDMETHODIMP queryCommandState(BSTR cmdID, VARIANT_BOOL *pfRet) override { return E_NOTIMPL; }
  STDMETHODIMP queryCommandIndeterm(BSTR cmdID, VARIANT_BOOL *pfRet) override { return E_NOTIMPL; }
  STDMETHODIMP queryCommandText(BSTR cmdID, BSTR *pcmdText) override { return E_NOTIMPL; }
  STDMETHODIMP queryCommandValue(BSTR cmdID, VARIANT *pcmdValue) override { return E_NOTIMPL; }
  STDMETHODIMP execCommand(BSTR cmdID, VARIANT_BOOL showUI, VARIANT value, VARIANT_BOOL *pfRet) override { return E_NOTIMPL; }
  STDMETHODIMP execCommandShowHelp(BSTR cmdID, VARIANT_BOOL *pfRet) override { return E_NOTIMPL; }
  STDMETHODIMP createElement(BSTR eTag, IHTMLElement **newElem) override { return E_NOTIMPL; }
  STDMETHODIMP put_onhelp(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onhelp(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onclick(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onclick(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_ondblclick(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_ondblclick(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onkeyup(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onkeyup(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onkeydown(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onkeydown(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onkeypress(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onkeypress(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onmouseup(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onmouseup(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onmousedown(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onmousedown(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onmousemove(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onmousemove(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onmouseout(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onmouseout(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onmouseover(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onmouseover(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onreadystatechange(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onreadystatechange(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onafterupdate(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onafterupdate(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onrowexit(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onrowexit(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onrowenter(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onrowenter(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_ondragstart(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_ondragstart(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onselectstart(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onselectstart(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP elementFromPoint(LONG x, LONG y, IHTMLElement **elementHit) override { return E_NOTIMPL; }
  STDMETHODIMP get_parentWindow(IHTMLWindow2 **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_styleSheets(IHTMLStyleSheetsCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onbeforeupdate(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onbeforeupdate(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onerrorupdate(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onerrorupdate(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP toString(BSTR *String) override { return E_NOTIMPL; }
  STDMETHODIMP createStyleSheet(BSTR bstrHref, LONG lIndex, IHTMLStyleSheet **ppnewStyleSheet) override { return E_NOTIMPL; }
};

class HtmlElementStub : public IHTMLElement {
 public:
  virtual ~HtmlElementStub() = default;
  WEBTEST_DISPATCH_STUBS
  STDMETHODIMP setAttribute(BSTR strAttributeName, VARIANT AttributeValue, LONG lFlags) override { return E_NOTIMPL; }
  STDMETHODIMP getAttribute(BSTR strAttributeName, LONG lFlags, VARIANT *AttributeValue) override { return E_NOTIMPL; }
  STDMETHODIMP removeAttribute(BSTR strAttributeName, LONG lFlags, VARIANT_BOOL *pfSuccess) override { return E_NOTIMPL; }
  STDMETHODIMP put_className(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_className(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_id(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_id(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_tagName(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_parentElement(IHTMLElement **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_style(IHTMLStyle **p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onhelp(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onhelp(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onclick(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onclick(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_ondblclick(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_ondblclick(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onkeydown(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onkeydown(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onkeyup(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onkeyup(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onkeypress(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onkeypress(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onmouseout(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onmouseout(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onmouseover(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onmouseover(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onmousemove(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onmousemove(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onmousedown(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onmousedown(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onmouseup(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onmouseup(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_document(IDispatch **p) override { return E_NOTIMPL; }
  STDMETHODIMP put_title(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_title(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_language(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_language(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onselectstart(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onselectstart(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP scrollIntoView(VARIANT varargStart) override { return E_NOTIMPL; }
  STDMETHODIMP contains(IHTMLElement *pChild, VARIANT_BOOL *pfResult) override { return E_NOTIMPL; }
  STDMETHODIMP get_sourceIndex(LONG *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_recordNumber(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_lang(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_lang(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_offsetLeft(LONG *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_offsetTop(LONG *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_offsetWidth(LONG *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_offsetHeight(LONG *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_offsetParent(IHTMLElement **p) override { return E_NOTIMPL; }
  STDMETHODIMP put_innerHTML(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_innerHTML(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_innerText(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_innerText(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_outerHTML(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_outerHTML(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_outerText(BSTR v) override { return E_NOTIMPL; }
  STDMETHODIMP get_outerText(BSTR *p) override { return E_NOTIMPL; }
  STDMETHODIMP insertAdjacentHTML(BSTR where, BSTR html) override { return E_NOTIMPL; }
  STDMETHODIMP insertAdjacentText(BSTR where, BSTR text) override { return E_NOTIMPL; }
  STDMETHODIMP get_parentTextEdit(IHTMLElement **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_isTextEdit(VARIANT_BOOL *p) override { return E_NOTIMPL; }
  STDMETHODIMP click() override { return E_NOTIMPL; }
  STDMETHODIMP get_filters(IHTMLFiltersCollection **p) override { return E_NOTIMPL; }
  STDMETHODIMP put_ondragstart(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_ondragstart(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP toString(BSTR *String) override { return E_NOTIMPL; }
  STDMETHODIMP put_onbeforeupdate(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onbeforeupdate(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onafterupdate(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onafterupdate(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onerrorupdate(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onerrorupdate(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onrowexit(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onrowexit(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onrowenter(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onrowenter(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_ondatasetchanged(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_ondatasetchanged(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_ondataavailable(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_ondataavailable(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_ondatasetcomplete(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_ondatasetcomplete(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP put_onfilterchange(VARIANT v) override { return E_NOTIMPL; }
  STDMETHODIMP get_onfilterchange(VARIANT *p) override { return E_NOTIMPL; }
  STDMETHODIMP get_children(IDispatch **p) override { return E_NOTIMPL; }
  STDMETHODIMP get_all(IDispatch **p) override { return E_NOTIMPL; }
};

#undef WEBTEST_DISPATCH_STUBS

}  // namespace webtest

#pragma GCC diagnostic pop
