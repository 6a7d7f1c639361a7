// The text panel: the font boxes that show the edited text's font, the
// text box where the pupil types, its parameter commands and the larger
// text window.
#include "TPaFrmForm.h"

#include "TDPanel.h"
#include "TextMemoWindow.h"

#include "config/TEP_Config.h"
#include "documents/Messenger.h"
#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "params/ValueEncodings.h"
#include "platform/KeyTranslator.h"
#include "platform/WindowsKeys.h"
#include "report/TDPRptText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
const QColor kBoxActive(255, 255, 255);
const QColor kBoxDisabled(255, 255, 128); // 0x80FFFF, red in the low byte
} // namespace

void TPaFrmForm::RefreshTextParams()
{
    auto* text = ItemEditor ? dynamic_cast<TDPRptText*>(ItemEditor->Current()) : nullptr;
    const UserSettings& settings = m_config.Settings;
    const QString name = text ? text->Font.Name : settings.TextFontName;
    const int size = text ? text->Font.Size : (settings.TextFontSize > 0 ? settings.TextFontSize : 10);
    m_fontNames->clear();
    m_fontNames->addItems(m_config.Fonts.Names());
    int at = m_fontNames->findText(name, Qt::MatchFixedString);
    if (at < 0) {
        m_fontNames->addItem(name);
        at = m_fontNames->count() - 1;
    }
    m_fontNames->setCurrentIndex(at);
    QList<int> sizes = TEP_Fonts::SizeSteps();
    if (!sizes.contains(size)) {
        sizes.append(size);
        std::sort(sizes.begin(), sizes.end());
    }
    m_fontSizes->clear();
    for (int step : sizes)
        m_fontSizes->addItem(QString::number(step));
    m_fontSizes->setCurrentIndex(int(sizes.indexOf(size)));
    m_underline->setChecked(text ? text->Font.Has(FontDescription::Underline) : settings.TextFontUnderline);
    m_bold->setChecked(text ? text->Font.Has(FontDescription::Bold) : settings.TextFontBold);
    m_settingTextBox = true;
    m_textEdt->setText(text ? text->Value : QString());
    m_textEdt->setCursorPosition(m_textEdt->text().size());
    m_settingTextBox = false;
}

void TPaFrmForm::TextContentHighlighted(bool on)
{
    m_textEdt->setEnabled(on);
    QPalette palette = m_textEdt->palette();
    palette.setColor(QPalette::Base, on ? kBoxActive : kBoxDisabled);
    palette.setColor(QPalette::Disabled, QPalette::Base, kBoxDisabled);
    m_textEdt->setPalette(palette);
    if (on) {
        m_textEdt->setFocus();
        m_textEdt->setCursorPosition(m_textEdt->text().size());
        return;
    }
    if (ItemEditor && ItemEditor->Current()) {
        ItemEditor->StopTextEntry();
        ItemEditor->DrawSelection();
    }
}

bool TPaFrmForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_textEdt && event->type() == QEvent::KeyPress)
        return TextBoxKey(static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

bool TPaFrmForm::TextBoxKey(QKeyEvent* event)
{
    const TranslatedKey key = KeyTranslator::Translate(*event);
    switch (key.code) {
    case WindowsKeys::Return:
        m_textEdt->insert(LineMark);
        return true;
    case WindowsKeys::F1 + 2:
        OpenTextBox();
        return true;
    case WindowsKeys::F1 + 3:
        if (ActiveGroup)
            ActiveGroup->NavigateKey(key.code);
        return true;
    case WindowsKeys::F1 + 4:
        RedefineKey();
        return true;
    case WindowsKeys::Up:
    case WindowsKeys::Down:
        m_textBoxTag = TextBoxForwardTag;
        KeyDown(key.code, key.shift);
        m_textBoxTag = 0;
        return true;
    case WindowsKeys::Escape:
        EndItemEdit();
        return true;
    default:
        break;
    }
    // Ctrl+Backspace types character 127: not a character of a text.
    return key.character == WindowsKeys::DeleteCharacter;
}

void TPaFrmForm::TextBoxChanged(const QString& text)
{
    if (m_settingTextBox || !ItemEditor)
        return;
    if (ItemEditor->SetText(text))
        return;
    auto* item = dynamic_cast<TDPRptText*>(ItemEditor->Current());
    m_settingTextBox = true;
    m_textEdt->setText(item ? item->Value : QString());
    m_textEdt->setCursorPosition(m_textEdt->text().size());
    m_settingTextBox = false;
}

void TPaFrmForm::TextCursorTick()
{
    auto* item = ItemEditor ? dynamic_cast<TDPRptText*>(ItemEditor->Current()) : nullptr;
    if (!item || m_mode != TextMode || !m_textEdt->hasFocus())
        return;
    if (item->EditState.CaretPosition != m_textEdt->cursorPosition())
        ItemEditor->SetCaret(m_textEdt->cursorPosition(), false);
}

void TPaFrmForm::DispatchTextParams(TDPanel* member, int keyCode, int character)
{
    const auto matches
        = [&](const char* name) { return member->MatchesKey(keyCode, character, QString::fromLatin1(name)); };
    EP_ItEdt& editor = *ItemEditor;
    if (matches("TextContent_Pnl"))
        TextContentHighlighted(true);
    const struct {
        const char* name;
        bool (EP_ItEdt::*change)();
    } changes[] = {{"TextFontSizeLess_Pnl", &EP_ItEdt::SmallerFont}, {"TextFontSizeMore_Pnl", &EP_ItEdt::LargerFont},
        {"TextPrevFont_Pnl", &EP_ItEdt::PreviousFont}, {"TextNextFont_Pnl", &EP_ItEdt::NextFont},
        {"TextUnderline_Pnl", &EP_ItEdt::ToggleUnderline}, {"TextBold_Pnl", &EP_ItEdt::ToggleBold}};
    for (const auto& change : changes) {
        if (!matches(change.name))
            continue;
        if (!(editor.*change.change)()) {
            m_messenger.Beep();
            continue;
        }
        // The text again, so that the item fits its new font.
        editor.SetText(m_textEdt->text());
        RefreshTextParams();
    }
}

void TPaFrmForm::OpenTextBox()
{
    if (ItemEditor && dynamic_cast<TDPRptText*>(ItemEditor->Current()))
        EditTextMemoTimer.start();
}

void TPaFrmForm::RunTextMemo()
{
    auto* item = ItemEditor ? dynamic_cast<TDPRptText*>(ItemEditor->Current()) : nullptr;
    if (!item)
        return;
    TextMemoWindow window(item->Value, this);
    UserSettings& settings = m_config.Settings;
    window.TextMemo()->setFont(settings.AltTextEditorFont.ToQFont());
    int top = 0, left = 0, width = 0, height = 0;
    if (ParamToRect(settings.AltTextEditorPlace, top, left, width, height))
        window.setGeometry(left, top, width, height);
    else
        window.move(TextMemoWindow::FallbackLeft, TextMemoWindow::FallbackTop);
    window.TextChanged = [this](const QString& text) { return ItemEditor->SetText(text); };
    window.FontWanted = [&] {
        QFont font = window.TextMemo()->font();
        if (ChooseFont && ChooseFont(font, &window))
            window.TextMemo()->setFont(font);
    };
    RunDialog(window);
    settings.AltTextEditorPlace = WindowToParam(window.geometry());
    m_settingTextBox = true;
    m_textEdt->setText(item->Value);
    m_textEdt->setCursorPosition(m_textEdt->text().size());
    m_settingTextBox = false;
}
