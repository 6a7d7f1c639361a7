#pragma once

#include "Scanner.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QListWidget;

// The list of scanners SANE sees, from which the teacher picks the one to
// scan with: arrows and Enter, or a double click; Esc gives up.
class ScannerChooserDialog : public QDialog {
    Q_OBJECT

public:
    // The preferred device (the one used last) is selected when listed,
    // else the first.
    ScannerChooserDialog(
        const QList<ScannerDevice>& devices, const QString& preferredDevice = QString(), QWidget* parent = nullptr);

    // The name of the chosen device; empty when none is selected.
    QString SelectedDevice() const;

    // Shows the dialog; the chosen device's name, or an empty text when the
    // user gave up or there was nothing to choose.
    static QString Choose(
        QWidget* parent, const QList<ScannerDevice>& devices, const QString& preferredDevice = QString());

    // What each device is called in the list: its label, with its name when
    // two devices share a label.
    static QStringList Captions(const QList<ScannerDevice>& devices);

private:
    void UpdateButtons();

    QList<ScannerDevice> m_devices;
    QLabel* m_prompt = nullptr;
    QListWidget* m_list = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
