#pragma once

#include <QDialog>
#include <QFont>

class QLabel;
class QLineEdit;
class QPushButton;

// The dialog where a user gives a palette command a new key, caption and
// caption font. "Choisir une nouvelle touche" hides the buttons until the
// next key: its code and character become the pending key. Modifier keys
// alone are not a key; a key that types nothing ends the capture with the
// character 0.
class KeyDefinitionDialog : public QDialog {
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("Frappez la touche désirée");

    explicit KeyDefinitionDialog(QWidget* parent = nullptr);

    void StartCapture();
    bool IsCapturing() const { return m_capturing; }
    // A key while capturing; false when the key is not taken.
    bool TakeKey(int keyCode, quint8 character);

    quint16 PendingKeyCode = 0;
    quint8 PendingKeyChar = 0;
    QFont CaptionFont;

    QLineEdit* CmdPnlLblEdt() const { return m_caption; }
    QPushButton* ChooseKeyButton() const { return m_chooseKey; }
    QPushButton* FontButton() const { return m_font; }
    QPushButton* StandardButton() const { return m_standard; }
    QPushButton* LaptopButton() const { return m_laptop; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    QWidget* Buttons() const { return m_buttons; }

signals:
    void FontWanted();
    void StandardWanted();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_prompt = nullptr;
    QWidget* m_buttons = nullptr;
    QLineEdit* m_caption = nullptr;
    QPushButton* m_chooseKey = nullptr;
    QPushButton* m_font = nullptr;
    QPushButton* m_standard = nullptr;
    QPushButton* m_laptop = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_capturing = false;
};
