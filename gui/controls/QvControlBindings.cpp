// The platform class of each portable control kind, registered at load, and the typed
// control lookups of the containers.
#include <QvGUIContainer.h>

#include "GUIControls.h"
#include "QvControls.h"

namespace {
struct Bindings {
  Bindings() {
    const struct {
      const QvRuntimeClass* portable;
      CRuntimeClass* platform;
    } pairs[] = {
        {QV_RUNTIME_CLASS(QvStaticText), RUNTIME_CLASS(CGUIStatic)},
        {QV_RUNTIME_CLASS(QvEditText), RUNTIME_CLASS(CGUIEdit)},
        {QV_RUNTIME_CLASS(QvPassEditText), RUNTIME_CLASS(CGUIEdit)},
        {QV_RUNTIME_CLASS(QvPushButton), RUNTIME_CLASS(CGUIButton)},
        {QV_RUNTIME_CLASS(QvRadioButton), RUNTIME_CLASS(CGUIButton)},
        {QV_RUNTIME_CLASS(QvCheckBox), RUNTIME_CLASS(CGUIButton)},
        {QV_RUNTIME_CLASS(QvGroupBox), RUNTIME_CLASS(CGUIButton)},
        {QV_RUNTIME_CLASS(QvListBox), RUNTIME_CLASS(CGUIListBox)},
        {QV_RUNTIME_CLASS(QvComboBox), RUNTIME_CLASS(CGUIComboBox)},
        {QV_RUNTIME_CLASS(QvEditComboBox), RUNTIME_CLASS(CGUIComboBox)},
        {QV_RUNTIME_CLASS(QvFontsComboBox), RUNTIME_CLASS(CGUIComboBox)},
        {QV_RUNTIME_CLASS(QvZoomComboBox), RUNTIME_CLASS(CGUIComboBox)},
        {QV_RUNTIME_CLASS(QvPatternComboBox), RUNTIME_CLASS(CGUIComboBox)},
        {QV_RUNTIME_CLASS(QvSpinner), RUNTIME_CLASS(CGUISpinner)},
        {QV_RUNTIME_CLASS(QvSlider), RUNTIME_CLASS(CGUISlider)},
        {QV_RUNTIME_CLASS(QvProgressBar), RUNTIME_CLASS(CGUIProgressBar)},
    };
    for (const auto& pair : pairs) QvControl::SetPlatformClass(pair.portable, pair.platform);
  }
};
Bindings s_bindings;

template <class Kind>
bool Lookup(QvGUIContainer* container, const QvRuntimeClass* kind, Kind*& out, unsigned short id,
            unsigned long labelId) {
  QvControl* control = nullptr;
  const bool got = container->GetOrCreateControl(kind, control, id, labelId);
  out = got ? dynamic_cast<Kind*>(control) : nullptr;
  return out != nullptr;
}
}  // namespace

#define QV_CONTROL_LOOKUP(Kind)                                                                 \
  bool QvGUIContainer::GetControlFromID(Kind*& out, unsigned short id, unsigned long labelId) { \
    return Lookup(this, QV_RUNTIME_CLASS(Kind), out, id, labelId);                                                     \
  }
QV_CONTROL_LOOKUP(QvStaticText)
QV_CONTROL_LOOKUP(QvEditText)
QV_CONTROL_LOOKUP(QvPassEditText)
QV_CONTROL_LOOKUP(QvPushButton)
QV_CONTROL_LOOKUP(QvRadioButton)
QV_CONTROL_LOOKUP(QvCheckBox)
QV_CONTROL_LOOKUP(QvGroupBox)
QV_CONTROL_LOOKUP(QvListBox)
QV_CONTROL_LOOKUP(QvComboBox)
QV_CONTROL_LOOKUP(QvEditComboBox)
QV_CONTROL_LOOKUP(QvFontsComboBox)
QV_CONTROL_LOOKUP(QvZoomComboBox)
QV_CONTROL_LOOKUP(QvPatternComboBox)
QV_CONTROL_LOOKUP(QvSpinner)
QV_CONTROL_LOOKUP(QvSlider)
QV_CONTROL_LOOKUP(QvProgressBar)
