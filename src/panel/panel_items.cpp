// Allocation and release of the panel's rows and their texts.
#include "panel/panel_items.hpp"

#include <string.h>

#include "far/field_text.hpp"

namespace {

char *NewText(const char *text, size_t size) {
  char *copy = new char[size];
  CopyToField(copy, size, text);
  return copy;
}

}  // namespace

PanelItems::PanelItems(PanelItems &&other) noexcept
    : items_(other.items_), count_(other.count_), capacity_(other.capacity_) {
  other.items_ = nullptr;
  other.count_ = other.capacity_ = 0;
}

PanelItems &PanelItems::operator=(PanelItems &&other) noexcept {
  if (this != &other) {
    Clear();
    items_ = other.items_;
    count_ = other.count_;
    capacity_ = other.capacity_;
    other.items_ = nullptr;
    other.count_ = other.capacity_ = 0;
  }
  return *this;
}

PanelItems PanelItems::Adopt(PluginPanelItem *items, size_t count) {
  PanelItems adopted;
  adopted.items_ = items;
  adopted.count_ = adopted.capacity_ = items != nullptr ? count : 0;
  return adopted;
}

void PanelItems::Reserve(size_t capacity) {
  if (capacity <= capacity_) return;
  PluginPanelItem *items = new PluginPanelItem[capacity];
  // The items move whole: the texts they point to go with them.
  if (count_ > 0) memcpy(items, items_, count_ * sizeof(PluginPanelItem));
  delete[] items_;
  items_ = items;
  capacity_ = capacity;
}

PluginPanelItem &PanelItems::Add() {
  if (count_ == capacity_) Reserve(capacity_ * 2 + 16);
  PluginPanelItem &item = items_[count_++];
  memset(&item, 0, sizeof(item));
  return item;
}

void PanelItems::Clear() {
  for (size_t i = 0; i < count_; ++i) ReleaseItemTexts(items_[i]);
  delete[] items_;
  items_ = nullptr;
  count_ = capacity_ = 0;
}

PluginPanelItem *PanelItems::Release() {
  PluginPanelItem *items = items_;
  items_ = nullptr;
  count_ = capacity_ = 0;
  return items;
}

void SetItemDescription(PluginPanelItem &item, const char *text, size_t size) {
  delete[] item.Description;
  item.Description = nullptr;
  item.Description = NewText(text, size);
}

void SetItemColumns(PluginPanelItem &item, std::initializer_list<const char *> texts) {
  // The pointers and the texts they point to share one allocation, an
  // array of pointers with the texts after them: a refresh makes one for
  // every file.
  delete[] item.CustomColumnData;
  item.CustomColumnData = nullptr;
  item.CustomColumnNumber = 0;
  if (texts.size() == 0) return;
  size_t textBytes = 0;
  for (const char *text : texts)
    if (text != nullptr) textBytes += strlen(text) + 1;
  const size_t slots = texts.size() + (textBytes + sizeof(char *) - 1) / sizeof(char *);
  char **columns = new char *[slots];
  char *next = reinterpret_cast<char *>(columns + texts.size());
  int column = 0;
  for (const char *text : texts) {
    columns[column++] = text != nullptr ? next : nullptr;
    if (text == nullptr) continue;
    const size_t length = strlen(text) + 1;
    memcpy(next, text, length);
    next += length;
  }
  item.CustomColumnData = columns;
  item.CustomColumnNumber = static_cast<int>(texts.size());
}

void ReleaseItemTexts(PluginPanelItem &item) {
  delete[] item.Description;
  item.Description = nullptr;
  SetItemColumns(item, {});
}
