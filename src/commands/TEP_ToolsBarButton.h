#pragma once

#include <QToolButton>

// One button of the toolbar. Its "down" state is the program's to set: a
// click never flips it by itself, so a type button stays down while its type
// is current and a creation button stays down until the page is clicked.
class TEP_ToolsBarButton : public QToolButton {
    Q_OBJECT
public:
    // What a click or a press on the button does.
    enum Role {
        Creation, // waits for a click on the page; Value: the kind of item, 0 for text
        Press, // acts when pressed and repeats while held
        Colour, // Value: the colour sent to the editor (blue-green-red)
        ShapeType, // Value: the rectangle or circle kind it gives
    };
    // Groups of buttons that show which one is current.
    enum GroupIndex { NoGroup = 0, CreationGroup, RectangleGroup, CircleGroup, ArrowGroup };
    static constexpr int PushTag = 1001; // made a plain push button at every layout
    static constexpr int SmallCaptionTag = 8;
    static constexpr int LargeCaptionTag = 10;

    TEP_ToolsBarButton(const QString& name, Role role, int value, int tag, int group, QWidget* parent = nullptr);

    Role ButtonRole() const { return m_role; }
    int Value() const { return m_value; }
    int Tag() const { return m_tag; }
    // Buttons of one group show which of them is current; 0: none.
    int Group() const { return m_group; }
    void SetGroup(int group) { m_group = group; }
    bool IsDown() const { return isChecked(); }
    void SetDown(bool down);
    // The hint as written; shown as a tooltip only when the user wants hints.
    QString Hint;
    // The icon's source ("" for a caption button).
    QString Glyph;

protected:
    void nextCheckState() override { }

private:
    Role m_role;
    int m_value;
    int m_tag;
    int m_group;
};
