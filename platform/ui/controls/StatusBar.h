// The status bar: panels numbered from 1, each reachable by index or by key, with a text, a
// picture (kept with the name the window knows it by), a width and minimum width in twips, a
// sizing rule, an alignment and visibility. A key or index the bar lacks is an error.
#pragma once

#include "platform/ui/controls/Control.h"
#include "platform/ui/controls/Picture.h"

#include <QString>

#include <vector>

namespace torvane::controls {

// How a panel is sized.
constexpr int PanelAutoSizeNone = 0;     // its width
constexpr int PanelAutoSizeSpring = 1;   // shares the room left over
constexpr int PanelAutoSizeContents = 2; // as wide as its text and picture, at least its minimum width
// Alignment of a panel's text.
constexpr int PanelAlignLeft = 0;
constexpr int PanelAlignCenter = 1;
constexpr int PanelAlignRight = 2;

class StatusBar;

class StatusPanel {
public:
    int index() const { return m_index; }
    QString key() const;
    void setKey(const QString& key); // ErrKeyNotUnique when another panel has it
    QString text() const;
    void setText(const QString& text);
    QString pictureName() const;
    Picture picture() const;
    void setPicture(const QString& name, const Picture& picture);
    double width() const;
    void setWidth(double twips);
    double minWidth() const;
    void setMinWidth(double twips);
    int autoSize() const;
    void setAutoSize(int rule);
    int alignment() const;
    void setAlignment(int alignment);
    bool isVisible() const;
    void setVisible(bool visible);

private:
    friend class StatusBar;
    StatusPanel(StatusBar* bar, int index) : m_bar(bar), m_index(index) {}
    auto& data() const;
    StatusBar* m_bar;
    int m_index;
};

class StatusBar : public Control {
    Q_OBJECT
public:
    // A fresh bar has one panel without a key.
    explicit StatusBar(QObject* parent = nullptr);

    int panelCount() const { return int(m_panels.size()); }
    // Inserts a panel at `position` (1 .. count + 1; 0 appends) and returns it.
    StatusPanel addPanel(const QString& key = {}, int position = 0);
    StatusPanel panel(int index) const;
    StatusPanel panel(const QString& key) const;

signals:
    // For the widget.
    void panelsChanged();

private:
    friend class StatusPanel;
    struct PanelData {
        QString key;
        QString text;
        QString pictureName;
        Picture picture;
        double width = 1440;
        double minWidth = 1440;
        int autoSize = PanelAutoSizeNone;
        int alignment = PanelAlignLeft;
        bool visible = true;
    };
    void checkKeyFree(const QString& key, int except) const;
    std::vector<PanelData> m_panels;
};

} // namespace torvane::controls
