#include "windows/label.h"

#include "services/services.h"

Label::Label(QWidget *parent, const QString &caption)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    setAutoFillBackground(true);
    setCaption(caption);
}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    setText(displayText(caption));
}
