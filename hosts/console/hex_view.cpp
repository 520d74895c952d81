// Hex rows.
#include "console/hex_view.hpp"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>

#include "core/host_texts.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

std::string HexRow(uint64_t offset, const std::string &bytes) {
  static const char kDigits[] = "0123456789abcdef";
  char where[24];
  snprintf(where, sizeof where, "%010llx ", static_cast<unsigned long long>(offset));
  std::string hex, text;
  for (int i = 0; i < kHexRowBytes; ++i) {
    if (i == kHexRowBytes / 2) hex += ' ';
    if (static_cast<size_t>(i) >= bytes.size()) {
      hex += "   ";
      continue;
    }
    unsigned char byte = static_cast<unsigned char>(bytes[static_cast<size_t>(i)]);
    hex += ' ';
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
    text += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
  }
  return std::string(where) + hex + "  " + text;
}

bool HexView::Open(const std::string &path, std::string &error) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    error = path + ": " + strerror(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = Say(HostText::NotPlainFile, {path});
    return false;
  }
  file_.open(path, std::ios::binary);
  if (!file_) {
    error = path + ": " + strerror(errno);
    return false;
  }
  size_ = static_cast<uint64_t>(info.st_size);
  return true;
}

uint64_t HexView::LastTop() const {
  return size_ == 0 ? 0 : (size_ - 1) / kHexRowBytes * kHexRowBytes;
}

void HexView::ShowByte(uint64_t at) {
  top_ = std::min(at, LastTop()) / kHexRowBytes * kHexRowBytes;
}

void HexView::Down(int rows) {
  uint64_t step = static_cast<uint64_t>(rows) * kHexRowBytes;
  top_ = std::min(LastTop(), top_ + step);
}

void HexView::Up(int rows) {
  uint64_t step = static_cast<uint64_t>(rows) * kHexRowBytes;
  top_ = top_ > step ? top_ - step : 0;
}

void HexView::ToEnd(int pageRows) {
  uint64_t page = static_cast<uint64_t>(std::max(1, pageRows)) * kHexRowBytes;
  uint64_t end = (size_ + kHexRowBytes - 1) / kHexRowBytes * kHexRowBytes;
  top_ = end > page ? end - page : 0;
}

std::vector<std::string> HexView::Rows(int count) {
  std::vector<std::string> rows;
  if (count <= 0 || top_ >= size_) return rows;
  uint64_t want = std::min<uint64_t>(size_ - top_, static_cast<uint64_t>(count) * kHexRowBytes);
  std::string bytes(static_cast<size_t>(want), '\0');
  file_.clear();
  file_.seekg(static_cast<std::streamoff>(top_));
  file_.read(&bytes[0], static_cast<std::streamsize>(want));
  bytes.resize(static_cast<size_t>(std::max<std::streamsize>(0, file_.gcount())));
  for (size_t at = 0; at < bytes.size(); at += kHexRowBytes)
    rows.push_back(HexRow(top_ + at, bytes.substr(at, kHexRowBytes)));
  return rows;
}

}  // namespace console
