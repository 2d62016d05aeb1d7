// demo-phone: writes the state of the phone the demo starts with (tools/demo/profile/phone.json).
//   demo-phone FILE
#include "tools/demo/DemoPhone.h"

#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo-phone FILE\n");
        return 2;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(torvane::demo::demoPhoneFile()) < 0 || !file.commit()) {
        std::fprintf(stderr, "demo-phone: %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
