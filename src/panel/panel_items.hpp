// The one owner of the panel's rows as the host takes them: an array of
// PluginPanelItem and the texts every item points to (its description and
// its custom columns).  GetFindData hands the array to the host (Release)
// and FreeFindData gives it back (Adopt); in between, and on every path
// out of a listing, nothing is lost and nothing is released twice.  The
// host's records stay plain C structures; only this unit allocates and
// releases what they point to.
#ifndef QUILLET_PANEL_ITEMS_HPP
#define QUILLET_PANEL_ITEMS_HPP

#include <stddef.h>

#include <initializer_list>

#include "far/far_api.hpp"

class PanelItems {
 public:
  PanelItems() = default;
  ~PanelItems() { Clear(); }
  PanelItems(PanelItems &&other) noexcept;
  PanelItems &operator=(PanelItems &&other) noexcept;
  PanelItems(const PanelItems &) = delete;
  PanelItems &operator=(const PanelItems &) = delete;

  // Takes back an array of `count` items that Release handed out.
  static PanelItems Adopt(PluginPanelItem *items, size_t count);

  // Room for at least `capacity` items, those held kept; the array is
  // allocated once when the count is known beforehand.
  void Reserve(size_t capacity);
  // A new, cleared item at the end.
  PluginPanelItem &Add();
  // Releases every item's texts and the array.
  void Clear();
  // Hands the array, with what its items point to, to the caller, who
  // gives it back through Adopt; the owner is empty afterwards.
  PluginPanelItem *Release();

  PluginPanelItem &operator[](size_t index) { return items_[index]; }
  const PluginPanelItem &operator[](size_t index) const { return items_[index]; }
  PluginPanelItem *Data() { return items_; }
  size_t Count() const { return count_; }

 private:
  PluginPanelItem *items_ = nullptr;
  size_t count_ = 0;
  size_t capacity_ = 0;
};

// An item's own texts, written only through these and released only by
// ReleaseItemTexts (which PanelItems calls for every item it holds).
// The description, in a buffer of `size` bytes (cut to fit).
void SetItemDescription(PluginPanelItem &item, const char *text, size_t size);
// The custom columns, one for each text; a null text gives a null column.
// The columns the item had are released first.
void SetItemColumns(PluginPanelItem &item, std::initializer_list<const char *> texts);
// Releases the texts an item owns and clears their fields.
void ReleaseItemTexts(PluginPanelItem &item);

#endif
