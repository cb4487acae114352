#include "gui/melodies/MelodyDocument.h"

#include "settings/DeviceMelodies.h"

#include <algorithm>

void MelodyDocument::readFrom(DeviceMelodies &melodies)
{
    if (model || !problem.isEmpty())
        return;
    QByteArray bytes;
    const DeviceMelodies::Outcome got = melodies.get(deviceName, bytes);
    if (!got.ok()) {
        problem = got.problem;
        return;
    }
    const MelodyResult read = ReadMelodySnd(
        {reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())});
    if (read.ok())
        setMelody(read.melody);
    else
        problem = QString::fromStdString(read.error);
}

MelodyDocuments followDevice(MelodyDocuments documents, const QStringList &names)
{
    MelodyDocuments now;
    for (const QString &name : names) {
        auto it = std::find_if(documents.begin(), documents.end(),
                               [&](const auto &d) { return d && d->deviceName == name; });
        if (it != documents.end()) {
            now.push_back(std::move(*it));
        } else {
            now.push_back(std::make_unique<MelodyDocument>());
            now.back()->deviceName = name;
        }
    }
    for (auto &document : documents)
        if (document && document->deviceName.isEmpty())
            now.push_back(std::move(document));
    return now;
}
