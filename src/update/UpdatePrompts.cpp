#include "UpdatePrompts.h"

#include "UpdateTexts.h"

#include <QMessageBox>

namespace qmv {

void MessageBoxPrompts::plainMessage(const QString& text)
{
    QMessageBox::information(m_parent, QString::fromUtf8(updatetext::applicationTitle), text);
}

void MessageBoxPrompts::hint(const QString& text)
{
    QMessageBox::information(m_parent, QString::fromStdString(updatetext::shown(updatetext::hintCaption)),
                             text);
}

void MessageBoxPrompts::error(const QString& text)
{
    QMessageBox::critical(m_parent, QString::fromUtf8(updatetext::applicationTitle), text);
}

} // namespace qmv
