// PROVISIONAL: no serial ports until the platform's serial layer lands.
#include "organizer/link/CommControl.h"

namespace tessaro {

namespace {

class NoPorts : public SerialBackend {
public:
    OpenStatus open(int, QString& detail) override
    {
        detail = QStringLiteral("no serial layer");
        return OpenStatus::NotFound;
    }
    void close() override {}
    bool configure(const LineSettings&, QString&) override { return true; }
    QByteArray readAll() override { return {}; }
    bool write(const QByteArray&) override { return false; }
    int outQueueCount() override { return 0; }
};

} // namespace

std::unique_ptr<SerialBackend> makePlatformSerialBackend()
{
    return std::make_unique<NoPorts>();
}

} // namespace tessaro
