#include "platform/mapi/CardFolder.h"

#include "platform/files/FileReplace.h"
#include "platform/mapi/VCardText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iterator>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane::mapi {

namespace fs = std::filesystem;

namespace {

// Cards beyond this size are no address book entries we could show; they are left alone.
constexpr std::uintmax_t kMaxCardBytes = 1u << 20;
// A card whose file has not changed for this long is kept parsed until its file changes.
constexpr time_t kSettledSeconds = 2;

void setWhy(std::string* why, const std::string& text)
{
    if (why)
        *why = text;
}

std::string errnoText(const std::string& what, int err)
{
    return what + ": " + std::strerror(err);
}

} // namespace

CardFolder::CardFolder(fs::path folder) : folder_(std::move(folder)) {}

fs::path CardFolder::defaultPath()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (data && *data) {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home ? home : ".") / ".local" / "share";
    }
    return base / "torvane" / "addressbook";
}

bool CardFolder::usable(std::string* why) const
{
    std::error_code ec;
    const fs::file_status status = fs::status(folder_, ec);
    if (status.type() == fs::file_type::not_found)
        return true;
    if (ec) {
        setWhy(why, folder_.string() + ": " + ec.message());
        return false;
    }
    if (status.type() != fs::file_type::directory) {
        setWhy(why, folder_.string() + ": not a folder");
        return false;
    }
    return true;
}

bool CardFolder::isCardFileName(const std::string& fileName)
{
    if (fileName.empty() || fileName.front() == '.' || fileName.find('/') != std::string::npos)
        return false;
    return fileName.size() > 4 && vcard::equalsNoCase(std::string_view(fileName).substr(fileName.size() - 4), ".vcf");
}

std::optional<std::vector<StoredCard>> CardFolder::loadAll(std::string* why) const
{
    std::vector<StoredCard> cards;
    std::error_code ec;
    if (!fs::exists(folder_, ec) && !ec)
        return cards;
    fs::directory_iterator it(folder_, ec);
    if (ec) {
        setWhy(why, folder_.string() + ": " + ec.message());
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const std::string name = it->path().filename().string();
        if (isCardFileName(name))
            names.push_back(name);
    }
    if (ec) {
        setWhy(why, folder_.string() + ": " + ec.message());
        return std::nullopt;
    }
    std::sort(names.begin(), names.end());
    cards.reserve(names.size());
    const int folderFd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const std::string& name : names) {
        vcard::Card card = vcard::Card::create();
        // A card removed or spoiled while we look is simply not there.
        if (loadAt(folderFd >= 0 ? folderFd : AT_FDCWD, name, &card) == Load::Ok)
            cards.push_back({name, std::move(card)});
    }
    if (folderFd >= 0)
        ::close(folderFd);
    return cards;
}

CardFolder::Load CardFolder::load(const std::string& fileName, vcard::Card* card, std::string* why) const
{
    return loadAt(AT_FDCWD, fileName, card, why);
}

CardFolder::Load CardFolder::loadAt(int folderFd, const std::string& fileName, vcard::Card* card, std::string* why) const
{
    if (!isCardFileName(fileName))
        return Load::Missing;
    // Within the folder's own descriptor the name needs no walk down the folder's path.
    const fs::path path = folderFd == AT_FDCWD ? folder_ / fileName : fs::path(fileName);
    const char* name = path.c_str();
    const auto where = [&] { return (folder_ / fileName).string(); };
    struct stat info {};
    if (::fstatat(folderFd, name, &info, 0) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Load::Missing;
        setWhy(why, errnoText(where(), errno));
        return Load::Failed;
    }
    if (!S_ISREG(info.st_mode))
        return Load::NotUnderstood;
    const auto size = std::uintmax_t(info.st_size);
    if (size > kMaxCardBytes)
        return Load::NotUnderstood;
    const auto known = parsed_->find(fileName);
    if (known != parsed_->end() && known->second.inode == info.st_ino && known->second.size == size &&
        known->second.changed.tv_sec == info.st_mtim.tv_sec && known->second.changed.tv_nsec == info.st_mtim.tv_nsec) {
        *card = known->second.card;
        return Load::Ok;
    }
    const int fd = ::openat(folderFd, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        setWhy(why, errnoText(where(), errno));
        return Load::Failed;
    }
    std::string text;
    char buffer[8192];
    ssize_t n = 0;
    for (;;) {
        n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, std::size_t(n));
        if (text.size() > kMaxCardBytes)
            break;
    }
    const int readErr = errno;
    ::close(fd);
    if (n < 0) {
        setWhy(why, errnoText(where(), readErr));
        return Load::Failed;
    }
    if (text.size() > kMaxCardBytes)
        return Load::NotUnderstood;
    auto parsed = vcard::Card::parse(text, why);
    if (!parsed) {
        parsed_->erase(fileName);
        return Load::NotUnderstood;
    }
    // Kept only when it was read whole and last changed well before now: a file written again
    // within the file system's clock tick keeps its change time, so a recent one is read anew.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (text.size() == size && info.st_mtim.tv_sec + kSettledSeconds < now.tv_sec)
        (*parsed_)[fileName] = Parsed{info.st_ino, size, info.st_mtim, *parsed};
    *card = std::move(*parsed);
    return Load::Ok;
}

bool CardFolder::write(const std::string& fileName, const vcard::Card& card, std::string* why)
{
    parsed_->erase(fileName);
    if (!isCardFileName(fileName)) {
        setWhy(why, fileName + ": not a card file name");
        return false;
    }
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) {
        setWhy(why, folder_.string() + ": " + ec.message());
        return false;
    }
    const fs::path target = folder_ / fileName;
    files::ReplaceOptions options;
    // A new card is made as the user's other files are; a rewritten one keeps its mode.
    options.newFileMode = files::userFileMode();
    if (const int err = files::replaceFile(target.string(), card.serialize(), options)) {
        setWhy(why, errnoText(target.string(), err));
        return false;
    }
    return true;
}

bool CardFolder::remove(const std::string& fileName, std::string* why)
{
    parsed_->erase(fileName);
    if (!isCardFileName(fileName)) {
        setWhy(why, fileName + ": not a card file name");
        return false;
    }
    const fs::path target = folder_ / fileName;
    if (::unlink(target.c_str()) != 0 && errno != ENOENT) {
        setWhy(why, errnoText(target.string(), errno));
        return false;
    }
    return true;
}

std::string CardFolder::newUid()
{
    static std::random_device device;
    std::uniform_int_distribution<unsigned> byte(0, 255);
    unsigned char b[16];
    for (unsigned char& c : b)
        c = static_cast<unsigned char>(byte(device));
    b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);
    b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);
    char text[37];
    std::snprintf(text, sizeof text, "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", b[0],
                  b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
    return text;
}

std::string CardFolder::fileNameFor(const std::string& uid)
{
    return uid + ".vcf";
}

} // namespace torvane::mapi
