#include "app/widgets/FormTools.h"


#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QWidget>

#include "foundation/config/cfgtools.h"
#include "foundation/ovmsg.h"
#include "resources/Product.h"
#include "texts/Language.h"

namespace FormTools {

namespace {

void SetCaption(QWidget& widget, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(&widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
    group->setTitle(text);
  } else {
    // A tab page: its caption is the tab's text.
    for (QWidget* up = widget.parentWidget(); up != nullptr; up = up->parentWidget()) {
      if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
        tabs->setTabText(tabs->indexOf(&widget), text);
        return;
      }
    }
  }
}

}  // namespace

QString Text(int number) { return Q(Language::GetText(number)); }

void ApplyCaptions(QWidget& form, const std::vector<TCaption>& captions) {
  for (const TCaption& caption : captions) {
    if (auto* widget = form.findChild<QWidget*>(caption.name))
      SetCaption(*widget, QString::fromUtf8(caption.text));
  }
}

void ApplyCaptions(QWidget& form, const std::vector<TTextCaption>& captions) {
  for (const TTextCaption& caption : captions) {
    if (auto* widget = form.findChild<QWidget*>(caption.name))
      SetCaption(*widget, caption.framed ? " " + Text(caption.text) + " " : Text(caption.text));
  }
}

void MakeBrowseButton(QWidget& button) {
  button.setMaximumWidth(button.fontMetrics().horizontalAdvance(">>") * 3);
}

void SaveBounds(const QWidget& window, const char* section) {
  TConfig config;
  config.OpenRegistryDefault(false, resources::kProductName);
  config.SetSection(section);
  config.WriteInteger("Left", window.pos().x());
  config.WriteInteger("Top", window.pos().y());
  config.WriteInteger("Width", window.width());
  config.WriteInteger("Height", window.height());
}

void Warn(const std::string& text, const std::string& caption) {
  if (!text.empty()) ovMessageBox(text, caption, ovmsg::kOk, ovmsg::kIconWarning);
}

TBusy::TBusy(bool& busy, const std::vector<QWidget*>& widgets) : busy_(busy) {
  busy_ = true;
  for (QWidget* widget : widgets) {
    // The widget's own state, not the one it takes from a disabled parent.
    widgets_.emplace_back(widget, !widget->testAttribute(Qt::WA_ForceDisabled));
    widget->setEnabled(false);
  }
}

TBusy::~TBusy() {
  for (const auto& [widget, enabled] : widgets_) widget->setEnabled(enabled);
  busy_ = false;
}

TActionsOff::TActionsOff(const QWidget& window) {
  for (QAction* action : window.findChildren<QAction*>()) {
    actions_.emplace_back(action, action->isEnabled());
    action->setEnabled(false);
  }
}

TActionsOff::~TActionsOff() {
  for (const auto& [action, enabled] : actions_) action->setEnabled(enabled);
}

}  // namespace FormTools
