// What the suite's programs showed, read from the message service's log (TORVANE_UI_LOG) that
// a test gave them.
#pragma once

#include "platform/ui/msgservice/ScriptFile.h"

#include <QFile>

#include <string>
#include <vector>

namespace torvane::test {

inline std::vector<ui::ShownBox> shownBoxes(const std::string& logPath)
{
    std::vector<ui::ShownBox> boxes;
    QFile log(QString::fromStdString(logPath));
    if (!log.open(QIODevice::ReadOnly))
        return boxes;
    for (const QByteArray& line : log.readAll().split('\n'))
        if (auto box = ui::parseLogLine(QString::fromUtf8(line)))
            boxes.push_back(*box);
    return boxes;
}

} // namespace torvane::test
