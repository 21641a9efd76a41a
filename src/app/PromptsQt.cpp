#include "app/PromptsQt.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace app {

int QtPrompts::messageBox(const QString &text, const QString &title, Buttons buttons) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, m_parent);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return AnswerCancel;
    case QMessageBox::Yes:
        return AnswerYes;
    case QMessageBox::No:
        return AnswerNo;
    default:
        return AnswerOk;
    }
}

QString QtPrompts::inputBox(const QString &prompt, const QString &title) {
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, {}, &ok);
    return ok ? text : QString();
}

void QtPrompts::beep() {
    QApplication::beep();
}

void QtClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

QString QtClipboard::text() const {
    return QGuiApplication::clipboard()->text();
}

void QtClipboard::setText(const QString &text) {
    QGuiApplication::clipboard()->setText(text);
}

QString QtPrompts::saveFileDialog(const QString &title, const QString &pattern,
                                  const QString &initialName) {
    if (!m_folder.isEmpty())
        QDir().mkpath(m_folder); // the listener's folder is made when first needed
    const QString start = m_folder.isEmpty() ? initialName : m_folder + u'/' + initialName;
    const QString chosen = QFileDialog::getSaveFileName(m_parent, title, start, pattern);
    return chosen.isEmpty() ? pattern : chosen;
}

std::optional<qint32> QtPrompts::colorDialog(const QString &title) {
    const QColor c = QColorDialog::getColor(Qt::black, m_parent, title);
    if (!c.isValid())
        return std::nullopt;
    return rgb24FromColor(c);
}

} // namespace app
