// One-line numeric field with spin buttons, limits, a fixed number of
// decimals and an optional inch display while the program keeps millimetres.
// Limits and the text are in display units; Value, MinValue and MaxValue are
// read and written in internal units.
#pragma once
#include <QLineEdit>

namespace tk3d {

class TSpinButton;

class TExtEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TExtEdit(QWidget* parent = nullptr);

    double Value();
    void SetValue(double v);
    // Value rounded to the nearest integer, halves to even.
    int ValueAsInteger();

    double MinValue() const { return ToValueUnits(fMinValue); }
    void SetMinValue(double v);
    double MaxValue() const { return ToValueUnits(fMaxValue); }
    void SetMaxValue(double v);

    double Increment() const { return fIncrement; }
    void SetIncrement(double v) { fIncrement = v; }
    int Decimals() const { return fDecimals; }
    void SetDecimals(int n);
    bool EditorEnabled() const { return fEditorEnabled; }
    void SetEditorEnabled(bool v) { fEditorEnabled = v; }
    bool AutoSelect() const { return fAutoSelect; }
    void SetAutoSelect(bool v) { fAutoSelect = v; }
    bool ConvertInches() const { return fConvertInches; }
    void SetConvertInches(bool v);
    bool ReturnMillimeters() const { return fReturnMillimeters; }
    void SetReturnMillimeters(bool v) { fReturnMillimeters = v; }
    // Shows inches with one more decimal and a tenth of the step, or back.
    void SetInchDisplay(bool on);

    TSpinButton* SpinButton() const { return fSpin; }

    virtual void UpClick();
    virtual void DownClick();

signals:
    // The user committed a value (Enter, a spin step, leaving after an edit).
    void ValueChanged();
    // The field lost the focus to another control, or a spin step ran.
    void Exited();

protected:
    virtual double ToDisplayUnits(double v) const;
    virtual double ToValueUnits(double v) const;
    virtual bool IsValidChar(QChar ch) const;

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString FormatDisplay(double v) const;
    bool ClampToLimits(double& v) const;
    void ShowDisplayValue(double v);
    double ReadDisplayValue();
    void UpdateMaxLength();
    void UpdateHint();
    void UpdateMinHeight();
    bool CanModifyText() const { return fEditorEnabled && !isReadOnly(); }
    void Step(double delta);

    double fMinValue = 0;
    double fMaxValue = 0;
    double fIncrement = 1;
    TSpinButton* fSpin;
    bool fEditorEnabled = true;
    bool fAutoSelect = true;
    int fDecimals = 0;
    bool fConvertInches = false;
    bool fReturnMillimeters = true;
};

}  // namespace tk3d
