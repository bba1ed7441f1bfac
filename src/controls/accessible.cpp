#include "controls/accessible.h"

#include <QAccessibleWidget>

#include "controls/imageleave.h"
#include "controls/label.h"

namespace {

class AccessibleControl : public QAccessibleWidget {
 public:
  explicit AccessibleControl(QWidget* w) : QAccessibleWidget(w, QAccessible::Client) {}

  // A control that takes a click, or would when available, is a button.
  QAccessible::Role role() const override {
    if (Click() || !widget()->isEnabled()) return QAccessible::Button;
    return qobject_cast<const TLabel*>(widget()) ? QAccessible::StaticText : QAccessible::Graphic;
  }

  // The name the owner gave, else what the control shows: a plate its number, designation and
  // name, a label its lines, a picture its hint.
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty()) return QAccessibleWidget::text(t);
    if (const auto* plate = qobject_cast<const TImageLeave*>(widget())) {
      QStringList parts;
      if (plate->Number() != 0) parts << QString::number(plate->Number());
      parts << plate->Oboz() << plate->Naim();
      parts.removeAll(QString());
      return parts.join(QLatin1Char(' '));
    }
    if (const auto* label = qobject_cast<const TLabel*>(widget())) {
      QString caption = label->Caption();
      caption.replace(QLatin1String("\r\n"), QLatin1String("\r"));
      return caption.split(QChar(13), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    }
    if (const auto* image = qobject_cast<const TImage*>(widget())) return image->hint();
    return {};
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    // A control the keyboard reaches, though its focus is given by the window, not by Qt.
    if (Click()) s.focusable = true;
    return s;
  }

  QStringList actionNames() const override {
    return Click() && widget()->isEnabled() ? QStringList{pressAction()} : QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action != pressAction() || !widget()->isEnabled()) return QAccessibleWidget::doAction(action);
    if (const SenderFn* click = Click()) (*click)(widget());
  }

 private:
  const SenderFn* Click() const {
    const SenderFn* click = nullptr;
    if (auto* image = qobject_cast<TImage*>(widget())) click = &image->OnClick;
    if (auto* label = qobject_cast<TLabel*>(widget())) click = &label->OnClick;
    return click && *click ? click : nullptr;
  }
};

QAccessibleInterface* ControlsFactory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  if (className == QLatin1String("TImage") || className == QLatin1String("TLeImage") ||
      className == QLatin1String("TImageLeave") || className == QLatin1String("TLabel"))
    return new AccessibleControl(static_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace

void InstallControlsAccessibility() { QAccessible::installFactory(ControlsFactory); }
