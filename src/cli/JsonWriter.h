#pragma once

#include <QString>

// A one-line JSON object whose keys keep the order they were added in (QJsonObject sorts
// them). Strings are escaped by Qt's JSON writer.
class JsonWriter
{
public:
    static QString quote(const QString &text);

    void add(const QString &key, const QString &text) { addRaw(key, quote(text)); }
    void add(const QString &key, qint64 number) { addRaw(key, QString::number(number)); }
    void addRaw(const QString &key, const QString &json);
    QString toString() const { return u'{' + m_body + u'}'; }

private:
    QString m_body;
};
