// Records the organizer's message boxes for a test and answers them as scripted.
#pragma once

#include "organizer/link/MessageBox.h"

#include <QString>

#include <deque>
#include <vector>

namespace tessaro::test {

struct ShownBox {
    QString text;
    int style = 0;
    QString caption;
};

class BoxRecorder {
public:
    BoxRecorder()
    {
        m_previous = setMessageBoxHandler([this](const QString& text, int style, const QString& caption) {
            boxes.push_back({text, style, caption});
            if (!answers.empty()) {
                const int a = answers.front();
                answers.pop_front();
                return a;
            }
            return (style & 7) == vbYesNo ? vbYes : vbOK;
        });
    }
    ~BoxRecorder() { setMessageBoxHandler(std::move(m_previous)); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    std::vector<ShownBox> boxes;
    std::deque<int> answers;

private:
    MessageBoxHandler m_previous;
};

} // namespace tessaro::test
