// The user's ring tone melody: uploaded as the object type "mid" with AT^SBNW in numbered parts of
// at most 50 bytes (the commands of the object store that name "mid" come here), and played as a
// test with AT^SRTC, which chooses the ring tone type and volume and, without arguments, starts or
// stops playing. Type 42 is the uploaded melody.
#pragma once

#include "tools/phonesim/PhoneModule.h"

#include <optional>
#include <string>

namespace torvane::phonesim {

class MelodyCommands : public PhoneModule {
public:
    static constexpr int kMelodyType = 42;
    static constexpr int kPartBytes = 50;

    struct Upload {
        int parts = 0;
        int received = 0;
        std::string data;
    };

    QString key() const override { return QStringLiteral("melody"); }
    void addCommands(CommandTable& table) override;
    QString loadState(const QJsonObject& json) override;
    QJsonObject saveState() const override;

    std::string melody; // empty: none uploaded
    std::optional<Upload> pending;
    int ringType = 0;
    int volume = 3;
    bool playing = false;
    int playsStarted = 0; // not kept in the state file

private:
    CommandResult upload(const AtCommand& cmd);
    CommandResult ringTone(CommandContext& ctx, const AtCommand& cmd);
};

} // namespace torvane::phonesim
