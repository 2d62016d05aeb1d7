// The language window: English or German, switched at once when the user picks the other one;
// OK saves the settings. There is no cancel: closing the window keeps the new language for the
// run without saving it.
#pragma once

#include <QDialog>

#include <cstdint>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tessaro {

class Language : public QDialog {
    Q_OBJECT

public:
    explicit Language(QWidget* parent = nullptr);

    // Relabels the main window in the current language.
    bool SetLanguage();

    QGroupBox* LanguageFrame = nullptr;
    QRadioButton* Option1_Language = nullptr; // english
    QRadioButton* Option2_Language = nullptr; // deutsch
    QLabel* Image1_Language = nullptr;
    QLabel* Image2_Language = nullptr;
    QPushButton* Command1 = nullptr; // OK

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void choose(std::int16_t base);
};

} // namespace tessaro
