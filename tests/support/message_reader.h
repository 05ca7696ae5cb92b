#pragma once

// Reads and accepts the message boxes a dialog shows while a test drives it.

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

class MessageReader
{
public:
    // Watches for message boxes until destroyed.
    MessageReader() { Poll(); }
    // Pending checks die with their context object.
    ~MessageReader() { delete m_guard; }
    MessageReader(const MessageReader &) = delete;
    MessageReader &operator=(const MessageReader &) = delete;

    QStringList texts;
    QList<QMessageBox::Icon> icons;

private:
    void Poll()
    {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            texts << box->text();
            icons << box->icon();
            box->accept();
        }
        QTimer::singleShot(5, m_guard, [this] { Poll(); });
    }

    QObject *m_guard = new QObject;
};
