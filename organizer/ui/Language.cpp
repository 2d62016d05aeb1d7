#include "organizer/ui/Language.h"

#include "organizer/ui/LanguagePictures.h"

#include "organizer/link/LanguageSwitch.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/Settings.h"
#include "organizer/link/TessaroStrings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tessaro {

Language::Language(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Language"));
    setWindowTitle(LangText(TxtAppCaption));

    LanguageFrame = new QGroupBox(this);
    LanguageFrame->setObjectName(QStringLiteral("LanguageFrame"));
    Option1_Language = new QRadioButton(QStringLiteral("english"), LanguageFrame);
    Option1_Language->setObjectName(QStringLiteral("Option1_Language"));
    Option2_Language = new QRadioButton(QStringLiteral("deutsch"), LanguageFrame);
    Option2_Language->setObjectName(QStringLiteral("Option2_Language"));
    Image1_Language = new QLabel(LanguageFrame);
    Image1_Language->setObjectName(QStringLiteral("Image1_Language"));
    Image1_Language->setPixmap(EnglishPicture());
    Image2_Language = new QLabel(LanguageFrame);
    Image2_Language->setObjectName(QStringLiteral("Image2_Language"));
    Image2_Language->setPixmap(GermanPicture());
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    auto* options = new QGridLayout(LanguageFrame);
    options->addWidget(Image1_Language, 0, 0);
    options->addWidget(Option1_Language, 0, 1);
    options->addWidget(Image2_Language, 1, 0);
    options->addWidget(Option2_Language, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LanguageFrame);
    layout->addLayout(buttons);

    // Showing the current choice switches nothing.
    const bool german = LanguageBase == LanguageGerman;
    (german ? Option2_Language : Option1_Language)->setChecked(true);
    LanguageFrame->setTitle(LanguageFrameCaption());

    connect(Option1_Language, &QRadioButton::clicked, this, [this] { choose(LanguageEnglish); });
    connect(Option2_Language, &QRadioButton::clicked, this, [this] { choose(LanguageGerman); });
    Image1_Language->installEventFilter(this);
    Image2_Language->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] {
        RegValSet();
        accept();
    });
}

void Language::choose(std::int16_t base)
{
    if (!SwitchLanguageBase(base))
        return;
    QRadioButton* option = base == LanguageGerman ? Option2_Language : Option1_Language;
    option->setChecked(true);
    option->setFocus();
    LanguageFrame->setTitle(LanguageFrameCaption());
    SetLanguage();
}

bool Language::SetLanguage()
{
    return tessaro::SetLanguage();
}

bool Language::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (label && mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            choose(label == Image2_Language ? LanguageGerman : LanguageEnglish);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Language::keyPressEvent(QKeyEvent* event)
{
    // No cancel: Esc does not close the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tessaro
