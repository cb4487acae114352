#include "cli/JsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>

QString JsonWriter::quote(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2)); // strip the brackets
}

void JsonWriter::addRaw(const QString &key, const QString &json)
{
    if (!m_body.isEmpty())
        m_body += u',';
    m_body += quote(key) + u':' + json;
}
