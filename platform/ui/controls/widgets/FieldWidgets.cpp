#include "platform/ui/controls/widgets/FieldWidgets.h"

#include "platform/ui/controls/widgets/ControlBinding.h"

namespace torvane::controls {

ComboBoxWidget::ComboBoxWidget(ComboBox& model, QWidget* parent) : QComboBox(parent), m_model(model)
{
    bindToControl(this, model);
    follow();
    connect(&model, &ComboBox::appearanceChanged, this, &ComboBoxWidget::follow);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_following)
            m_model.userPicked(index);
    });
}

void ComboBoxWidget::follow()
{
    m_following = true;
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (shown != m_model.items()) {
        clear();
        addItems(m_model.items());
    }
    setCurrentIndex(m_model.listIndex());
    setToolTip(m_model.toolTipText());
    m_following = false;
}

CommandButtonWidget::CommandButtonWidget(CommandButton& model, QWidget* parent) : QPushButton(parent)
{
    bindToControl(this, model);
    auto follow = [this, &model] { setText(model.caption()); };
    follow();
    connect(&model, &CommandButton::appearanceChanged, this, follow);
    connect(this, &QPushButton::clicked, &model, &CommandButton::userClick);
}

} // namespace torvane::controls
