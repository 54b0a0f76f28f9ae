// CHtmlFile: replaces the title element of an HTML page (contract in
// libpelcor/i_html_file.h). Stateless; any thread.
#pragma once

#include <string>
#include <string_view>

#include "libpelcor/i_html_file.h"

class CHtmlFile final : public IHtmlFile {
 public:
  void Release() override { delete this; }
  bool SetTitle(const char16_t* path, const char16_t* title) override;

 private:
  ~CHtmlFile() override = default;
};

// Replaces in `text` every title element equal to the first complete one
// ("<title>" up to the first "</title>" after it, exact case) by one
// holding `title`. False when the text needs no change: it has no complete
// title element, or its first one already holds `title`.
bool ReplaceTitleElements(std::u16string& text, std::u16string_view title);
