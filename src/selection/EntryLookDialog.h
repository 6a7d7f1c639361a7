#pragma once

#include "params/RgbColor.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class TEP_DocsNode;

// "Particulariser l'affichage de cet élément": the colour and the text
// style of one entry of the documents view, its own or its folder's.
class EntryLookDialog : public QDialog {
    Q_OBJECT

public:
    EntryLookDialog(const TEP_DocsNode& node, QWidget* parent = nullptr);

    // Gives the node what the dialog shows; true when something changed.
    bool ApplyTo(TEP_DocsNode& node) const;

    QCheckBox* OwnColor() const { return m_ownColor; }
    QCheckBox* OwnStyle() const { return m_ownStyle; }
    QCheckBox* StyleBox(int bit) const;
    void SetColor(RgbColor color);
    RgbColor Color() const { return m_color; }
    int Style() const;

    // Shows the dialog for the node and applies it on OK.
    static bool Edit(TEP_DocsNode& node, QWidget* parent);

private:
    void ChooseColor();
    void UpdateEnabling();

    QCheckBox* m_ownColor = nullptr;
    QPushButton* m_colorButton = nullptr;
    QCheckBox* m_ownStyle = nullptr;
    QCheckBox* m_styles[4] = {};
    RgbColor m_color;
};
