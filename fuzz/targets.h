#pragma once
// The fuzz targets: one function per parser of outside input. Each takes any bytes, runs the
// parser and what the program does next with its result, and returns 0. A result that breaks
// what the program relies on (a saved order that cannot be reopened, a filter that selects
// the wrong records) ends the process through FuzzCheck, so that libFuzzer and the replay
// test both see it.
//
// The libFuzzer entry points (fuzz_<name>.cpp) call these; the replay test links them
// without libFuzzer and feeds them every saved corpus and regression file.

#include <cstddef>
#include <cstdint>

// The ADO-XML catalogue reader, then the store opened on what it read.
int FuzzAdoReader(const std::uint8_t* data, std::size_t size);
// The catalogue reader's two ways of reading rows, scanner and expat alone: the same table,
// record for record and byte for byte, or the same refusal in the same words; also from a
// stream cut into small pieces, so that the scanner runs out of bytes at every place of a row.
int FuzzAdoRows(const std::uint8_t* data, std::size_t size);
// The store's filter grammar, applied to a small fixed store.
int FuzzFilter(const std::uint8_t* data, std::size_t size);
// The JPEG loader: full and quarter scale, and pass by pass.
int FuzzJpeg(const std::uint8_t* data, std::size_t size);
// The order-template engine: a template package edited the way the order export does it.
// Input: one byte n, n bytes of texts to type (separated by NUL bytes), then the package: a
// ZIP archive, or its parts as "name\0content\0name\0content..." packed by the target.
int FuzzDocx(const std::uint8_t* data, std::size_t size);
// The help file reader: a .chm file opened, its system data and every object read.
int FuzzChm(const std::uint8_t* data, std::size_t size);
// The comma-separated values reader of catalogue-tool's import, then what import writes.
int FuzzCsv(const std::uint8_t* data, std::size_t size);

// Ends the process with a message when `ok` is false: a finding, not a refusal.
void FuzzCheck(bool ok, const char* what);
