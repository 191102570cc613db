// Any bytes as a player's profile file. A file that reads must write back
// to bytes that read again to the same bytes (what is kept survives a save).
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "PlayerFile.h"
#include "PlayerRecord.h"
#include "SaveInfo/ProfileStream.h"

namespace {

bool ReadBytes(const std::string& bytes, PlayerRecord& record) {
  std::string copy = bytes;  // fmemopen needs a writable buffer of at least one byte
  if (copy.empty()) copy.push_back('\0');
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(fmemopen(copy.data(), bytes.size() ? bytes.size() : 1, "rb"),
                                                      &std::fclose);
  if (!file) std::abort();
  if (bytes.empty()) std::fgetc(file.get());  // an empty file
  ProfileReader in(file.get());
  return record.Read(in);
}

std::string WriteBytes(const PlayerRecord& record) {
  ProfileWriter out;
  if (!record.Write(out)) std::abort();  // a record read from a file always has a name
  return out.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  PlayerRecord record;
  if (!ReadBytes(bytes, record)) return 0;
  const std::string first = WriteBytes(record);
  PlayerRecord again;
  if (!ReadBytes(first, again)) std::abort();
  if (WriteBytes(again) != first) std::abort();
  // And through the real file reader.
  PlayerRecord fromFile;
  if (ReadProfileFile(fuzzsupport::WriteInput(data, size, "input.dat"), fromFile) != EPlayerFileRead::Read)
    std::abort();
  return 0;
}
