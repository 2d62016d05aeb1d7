// One open melody in the program: the document model with its playback and phone transfer,
// its file and its title, and the views that show it.
#pragma once

#include "melody/document/CMelvioDoc.h"
#include "melody/editing/MelodyPlayback.h"
#include "melody/editing/PhoneTransfer.h"

#include <QString>

#include <vector>

class CMelvioView;
class QWidget;
struct MelvioContext;

inline constexpr char DOCUMENT_BASE_NAME[] = "RingToneEditor";
inline constexpr char FILE_FILTER[] = "RingToneEditor Files (*.rte)";

class MelodyDocument {
public:
    // number names a new melody: "RingToneEditor<number>".
    MelodyDocument(MelvioContext& context, int number);
    ~MelodyDocument();
    MelodyDocument(const MelodyDocument&) = delete;
    MelodyDocument& operator=(const MelodyDocument&) = delete;

    // File New: an empty melody at 120, marked changed.
    void New();
    // Reads a melody file; false (with a box) when it cannot be opened. A file that is not a
    // melody is reported by the document and is not opened either.
    bool Open(const QString& path, QWidget* parent);
    // Writes the melody; false (with a box) when it could not be written.
    bool Save(const QString& path, QWidget* parent);
    // The window closes: the preview port closes.
    void Close();

    MelvioContext& Context() const { return context_; }
    const QString& Title() const { return title_; }
    const QString& Path() const { return path_; }

    std::vector<CMelvioView*> views;

    CMelvioDoc doc;
    MelodyPlayback playback;
    PhoneTransfer phone;

private:
    MelvioContext& context_;
    QString path_;
    QString title_;
};
