// The layer dialog: lists every layer that an object of the document's main
// list uses, under its name, checked when visible; confirming replaces
// VisibleLayers by the checked layers.
#pragma once
#include <QString>

#include "controls/DialogBases.h"
#include "layoutfile/LayerSet.h"

class QFrame;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tk3d {

class TRailList;

// The layer's name from LayerNames, or its number with three digits ("007").
QString LayerDisplayName(int layer);
// The layers 0..255 some object of the main list is on (the catenary list is
// not searched).
TLayerSet UsedLayers(const TRailList& document);
bool LayerInUse(const TRailList& document, int layer);

class TLayerForm : public TPopUpParentForm {
    Q_OBJECT
public:
    explicit TLayerForm(QWidget* parent = nullptr);

    // One entry per used layer in ascending order, checked when visible.
    void Fill(const TRailList& document);
    // The checked layers, in list order.
    TLayerSet CheckedLayers() const;
    // OK is enabled exactly when some entry is checked.
    void UpdateOKButton();

    QListWidget* CheckListBox1;
    QPushButton* Button1;
    QPushButton* Button2;
    QFrame* Bevel1;

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();
};

// Runs the dialog; true when the user confirmed it and VisibleLayers was
// replaced.
bool ShowLayerDialog(const TRailList& document, QWidget* parent = nullptr);

}  // namespace tk3d
