#pragma once

#include "gui/melodies/MelodyTableModel.h"

#include <QString>
#include <QUndoStack>

#include <QStringList>

#include <memory>
#include <vector>

class DeviceMelodies;

// One melody the dialog holds: a device melody (read when first shown) or a new one, with its
// own edits to undo. It is saved when it is on the device and its edits are at the saved step.
struct MelodyDocument
{
    QString deviceName; // empty until saved to the device
    QString title;      // what the list calls a melody not yet on the device
    QUndoStack stack;
    std::unique_ptr<MelodyTableModel> model; // null until read
    QString problem;                         // why the device's file could not be read

    void setMelody(const Melody &melody)
    {
        model = std::make_unique<MelodyTableModel>(melody, stack);
    }
    // Reads the device's melody once; a failure is kept in `problem`.
    void readFrom(DeviceMelodies &melodies);
    bool unsaved() const { return deviceName.isEmpty() || !stack.isClean(); }
    QString listText() const
    {
        return (deviceName.isEmpty() ? title : deviceName) +
               (unsaved() ? QStringLiteral(" *") : QString());
    }
};

using MelodyDocuments = std::vector<std::unique_ptr<MelodyDocument>>;

// The documents for the device's melodies now (`names`, in that order, the known ones kept
// with their edits), then those not on the device. A device melody no longer there goes.
MelodyDocuments followDevice(MelodyDocuments documents, const QStringList &names);
