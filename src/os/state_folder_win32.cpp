// The state folder and whole-file writes on Windows.
#include <windows.h>

#include "os/state_folder.hpp"

#include <stdlib.h>

namespace os {

namespace {

bool IsAbsolute(const char *value) {
  if (value == nullptr) return false;
  const bool drive = ((value[0] >= 'A' && value[0] <= 'Z') || (value[0] >= 'a' && value[0] <= 'z')) &&
                     value[1] == ':' && (value[2] == '\\' || value[2] == '/');
  const bool share = value[0] == '\\' && value[1] == '\\';
  return drive || share;
}

}  // namespace

std::string StateFolderFrom(const char *appData, const char *) {
  if (!IsAbsolute(appData)) return "";
  std::string state = appData;
  while (state.size() > 3 && (state.back() == '\\' || state.back() == '/')) state.pop_back();
  return state + "\\Quillet";
}

std::string StateFolder() {
  const std::string folder = StateFolderFrom(getenv("APPDATA"), nullptr);
  if (folder.empty()) return "";
  if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    return "";
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return "";
  return folder;
}

bool WriteWholeFile(const std::string &path, const std::string &text) {
  if (path.empty()) return false;
  const std::string fresh = path + ".new" + std::to_string(static_cast<long>(GetCurrentProcessId()));
  DeleteFileA(fresh.c_str());
  HANDLE file = CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool whole = text.empty() || (WriteFile(file, text.data(), static_cast<DWORD>(text.size()),
                                          &written, nullptr) &&
                                written == text.size());
  whole = FlushFileBuffers(file) && whole;
  whole = CloseHandle(file) && whole;
  if (!whole || !MoveFileExA(fresh.c_str(), path.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(fresh.c_str());
    return false;
  }
  return true;
}

}  // namespace os
