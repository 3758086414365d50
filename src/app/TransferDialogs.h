#pragma once

#include "DeviceImport.h"
#include "SignalFile.h"

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QListWidget;

namespace qmv {

// Which signal of a file to learn for a key: the file's signals by name, and what could not be
// read in it. OK needs a chosen signal.
class SignalChoiceDialog : public QDialog
{
    Q_OBJECT
public:
    SignalChoiceDialog(const transfer::SignalFile& file, const QString& keyName, QWidget* parent = nullptr);
    std::optional<std::size_t> selectedSignal() const;
    void selectSignal(std::size_t index);

private:
    QListWidget* m_list;
};

// The mapping of a device file onto the keys of an area, shown before anything is written: each
// signal with its key and whether a learned key is overwritten, then the signals without a key,
// the keys without a signal and the file's problems.
class ImportDialog : public QDialog
{
    Q_OBJECT
public:
    ImportDialog(const transfer::PreparedImport& prepared, const std::vector<std::string>& overwritten,
                 const QString& areaName, QWidget* parent = nullptr);
};

// What a key holds, in words and as a timing diagram.
class SignalDialog : public QDialog
{
    Q_OBJECT
public:
    SignalDialog(const QString& description, std::vector<std::uint32_t> durations, std::uint32_t carrierHz,
                 QWidget* parent = nullptr);
};

} // namespace qmv
