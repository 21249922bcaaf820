// Shared set-up of the fuzz targets: a QCoreApplication, a scratch folder that
// serves as the shared data folder, and helpers to write rule files there.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzzsupport {

// Creates the application object and the scratch folder once per process.
void Init();

// The scratch folder (ends with '/').
QString Scratch();

// Writes bytes to Scratch() + relativePath, creating folders.
void WriteFile(const QString& relativePath, std::string_view bytes);

// Splits data at the first `n` occurrences of the separator byte 0xFF 0xFE 0xFD.
// Missing parts are empty.
void Split(const uint8_t* data, size_t size, std::string_view* parts, int n);

}  // namespace fuzzsupport
