#include "melody/ui/MelodyDocument.h"

#include "melody/document/Archive.h"
#include "melody/editing/MidiOutPort.h"
#include "melody/ui/MelvioContext.h"
#include "platform/files/FileReplace.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QFile>
#include <QFileInfo>

#include <fstream>
#include <string_view>

namespace ui = torvane::ui;

namespace {

inline constexpr char APP_TITLE[] = "Ring tone editor";

void Tell(QWidget* parent, const QString& text)
{
    ui::messageBox(parent, text, QString::fromLatin1(APP_TITLE), ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

CMelvioDoc::Services DocServices(MelvioContext& c) { return {c.errors, c.tempoField, c.port}; }

PhoneTransfer::Services PhoneServices(MelvioContext& c)
{
    return {c.engine, c.errors, c.messages, c.scheduler, &c.phoneRequests};
}

} // namespace

MelodyDocument::MelodyDocument(MelvioContext& context, int number)
    : doc(DocServices(context)), playback(doc, *context.port, context.errors), phone(doc, PhoneServices(context)),
      context_(context), title_(QString::fromLatin1(DOCUMENT_BASE_NAME) + QString::number(number))
{
}

MelodyDocument::~MelodyDocument() = default;

void MelodyDocument::New() { doc.OnNewDocument(); }

bool MelodyDocument::Open(const QString& path, QWidget* parent)
{
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) {
        Tell(parent, QStringLiteral("Cannot open the file %1.").arg(QFileInfo(path).fileName()));
        return false;
    }
    Archive ar(in);
    switch (doc.Serialize(ar)) {
    case SerializeResult::Done:
        break;
    case SerializeResult::Refused:
        // Reported by the document already. Bound to a window, another program's file would
        // be overwritten by the next Save.
        return false;
    case SerializeResult::Truncated:
        Tell(parent, QStringLiteral("The file %1 ends before the melody it announces.").arg(QFileInfo(path).fileName()));
        return false;
    }
    path_ = path;
    title_ = QFileInfo(path).fileName();
    return true;
}

bool MelodyDocument::Save(const QString& path, QWidget* parent)
{
    Archive ar;
    doc.Serialize(ar);
    // Every step up to the rename is checked, a full disk's late refusal too: a melody that
    // could not be written whole leaves the old file as it was.
    const auto& bytes = ar.Bytes();
    torvane::files::ReplaceOptions options;
    options.newFileMode = torvane::files::userFileMode();
    if (torvane::files::replaceFile(QFile::encodeName(path).toStdString(),
                                    std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), options)
        != 0) {
        doc.SetModifiedFlag(true);
        Tell(parent, QStringLiteral("Cannot save the file %1.").arg(QFileInfo(path).fileName()));
        return false;
    }
    path_ = path;
    title_ = QFileInfo(path).fileName();
    return true;
}

void MelodyDocument::Close()
{
    playback.OnViewDestroy();
    doc.OnCloseDocument();
}
