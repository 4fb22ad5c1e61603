#include "controls/ExtEdit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <climits>
#include <cmath>

#include "controls/SpinButton.h"

namespace tk3d {

namespace {

constexpr int kSpinWidth = 15;
constexpr int kSpinHeight = 17;
// Height of a thin system border; the field needs four of them around its text.
constexpr int kBorder = 1;

}  // namespace

TExtEdit::TExtEdit(QWidget* parent) : QLineEdit(parent), fSpin(new TSpinButton(this)) {
    fSpin->resize(kSpinWidth, kSpinHeight);
    fSpin->show();
    connect(fSpin, &TSpinButton::UpClick, this, [this] { UpClick(); });
    connect(fSpin, &TSpinButton::DownClick, this, [this] { DownClick(); });
    // Text never runs under the spin buttons.
    setTextMargins(0, 0, kSpinWidth + 2, 0);
    setText("0");
    UpdateHint();
    UpdateMinHeight();
}

double TExtEdit::ToDisplayUnits(double v) const {
    if (!fConvertInches) return v;
    v /= 2.54;
    return fReturnMillimeters ? v / 10 : v;
}

double TExtEdit::ToValueUnits(double v) const {
    if (!fConvertInches) return v;
    v *= 2.54;
    return fReturnMillimeters ? v * 10 : v;
}

QString TExtEdit::FormatDisplay(double v) const {
    QLocale loc = locale();
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    // The format carries a single digit for the decimals.
    return loc.toString(v, 'f', std::clamp(fDecimals, 0, 9));
}

bool TExtEdit::ClampToLimits(double& v) const {
    if (fMinValue == fMaxValue) return true;
    if (v < fMinValue) {
        v = fMinValue;
        return false;
    }
    if (v > fMaxValue) {
        v = fMaxValue;
        return false;
    }
    return true;
}

void TExtEdit::ShowDisplayValue(double v) {
    ClampToLimits(v);
    const bool hadText = !text().isEmpty();
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selLength = hasSelectedText() ? int(selectedText().size()) : 0;
    setText(FormatDisplay(v));
    if (!hadText) return;
    const int len = int(text().size());
    const int start = std::min(selStart, len);
    if (selLength > 0)
        setSelection(start, std::min(selLength, len - start));
    else
        setCursorPosition(start);
}

double TExtEdit::ReadDisplayValue() {
    QLocale loc = locale();
    loc.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    double v = loc.toDouble(text().trimmed(), &ok);
    if (!ok || !std::isfinite(v)) v = fMinValue;
    ClampToLimits(v);
    ShowDisplayValue(v);
    return v;
}

double TExtEdit::Value() {
    const double v = ToValueUnits(ReadDisplayValue());
    setModified(false);
    return v;
}

void TExtEdit::SetValue(double v) {
    ShowDisplayValue(ToDisplayUnits(v));
    Value();
}

int TExtEdit::ValueAsInteger() {
    // nearbyint rounds halves to even in the default rounding mode.
    const double r = std::nearbyint(Value());
    if (!(r > double(INT_MIN))) return INT_MIN;
    if (!(r < double(INT_MAX))) return INT_MAX;
    return int(r);
}

void TExtEdit::SetMinValue(double v) {
    fMinValue = ToDisplayUnits(v);
    UpdateHint();
    UpdateMaxLength();
}

void TExtEdit::SetMaxValue(double v) {
    fMaxValue = ToDisplayUnits(v);
    UpdateMaxLength();
    UpdateHint();
}

void TExtEdit::SetDecimals(int n) {
    fDecimals = std::max(n, 0);
    UpdateMaxLength();
    UpdateHint();
}

void TExtEdit::SetConvertInches(bool v) {
    if (v == fConvertInches) return;
    const double value = Value();
    const double minValue = MinValue();
    const double maxValue = MaxValue();
    fConvertInches = v;
    SetMaxValue(maxValue);
    SetMinValue(minValue);
    SetValue(value);
}

void TExtEdit::SetInchDisplay(bool on) {
    if (on == fConvertInches) return;
    if (on) {
        SetDecimals(fDecimals + 1);
        SetConvertInches(true);
        fIncrement /= 10;
    } else {
        SetDecimals(fDecimals - 1);
        SetConvertInches(false);
        fIncrement *= 10;
    }
    update();
}

void TExtEdit::UpdateMaxLength() {
    // A field without limits takes any length: its limits say nothing about it.
    if (fMinValue == fMaxValue) {
        setMaxLength(32767);
        return;
    }
    setMaxLength(int(std::max(FormatDisplay(fMaxValue).size(), FormatDisplay(fMinValue).size())));
}

void TExtEdit::UpdateHint() {
    if (fMinValue != 0 || fMaxValue != 0)
        setToolTip(FormatDisplay(fMinValue) + " ... " + FormatDisplay(fMaxValue));
    else
        setToolTip(QString());
}

void TExtEdit::UpdateMinHeight() { setMinimumHeight(fontMetrics().height() + 4 * kBorder + 2); }

bool TExtEdit::IsValidChar(QChar ch) const {
    const char16_t code = ch.unicode();
    bool valid;
    if (ch >= u'0' && ch <= u'9')
        valid = true;
    else if (ch == u'+')
        valid = fMinValue >= 0 || fMaxValue >= 0;
    else if (ch == u'-')
        valid = fMinValue <= 0 || fMaxValue <= 0;
    else if (ch == locale().decimalPoint().front())
        valid = fDecimals > 0;
    else
        valid = code < 32 && code != u'\r';
    if (!fEditorEnabled) valid = valid && code < 32 && code != u'\b';
    return valid;
}

void TExtEdit::Step(double delta) {
    if (isReadOnly()) {
        QApplication::beep();
        return;
    }
    const double v = ReadDisplayValue() + delta;
    // Steps are sums of decimal fractions: 0.2 + 0.1 must still reach a
    // limit of 0.3.
    const double tolerance = 1e-9 * std::max(1.0, std::max(std::fabs(fMinValue), std::fabs(fMaxValue)));
    const bool inside =
        fMinValue == fMaxValue || (delta >= 0 ? v <= fMaxValue + tolerance : v >= fMinValue - tolerance);
    if (!inside) {
        QApplication::beep();
        return;
    }
    ShowDisplayValue(v);
    emit Exited();
    emit ValueChanged();
    Value();
}

void TExtEdit::UpClick() { Step(fIncrement); }

void TExtEdit::DownClick() { Step(-fIncrement); }

void TExtEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            UpClick();
            event->accept();
            return;
        case Qt::Key_Down:
            DownClick();
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit ValueChanged();
            Value();
            break;
        default:
            break;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        if (CanModifyText())
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    const QString typed = event->text();
    // Delete produces no character to filter, as on the platform the field
    // imitates.
    if (!typed.isEmpty() && typed.front() != QChar(0x7f) && !IsValidChar(typed.front())) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TExtEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (fAutoSelect && event->reason() != Qt::MouseFocusReason) selectAll();
}

void TExtEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Menus and other windows taking the focus are no exit from the field.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
    emit Exited();
    if (isModified()) emit ValueChanged();
    ReadDisplayValue();
}

void TExtEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fSpin->setGeometry(width() - fSpin->width(), 0, fSpin->width(), height());
}

void TExtEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) UpdateMinHeight();
}

void TExtEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (!CanModifyText()) {
        for (QAction* a : menu->actions())
            if (a->objectName() == "edit-paste" || a->objectName() == "edit-cut") a->setEnabled(false);
    }
    menu->exec(event->globalPos());
    delete menu;
}

void TExtEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the X selection.
    if (event->button() == Qt::MiddleButton && !CanModifyText()) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

}  // namespace tk3d
