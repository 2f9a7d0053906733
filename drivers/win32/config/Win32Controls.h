#pragma once

#include <windows.h>

#include "core/config/PageControls.h"
#include "drivers/win32/MessageBox.h"

// The configuration pages' control interfaces over real controls, addressed by window handle.
namespace vireluna::win32 {

class Win32ListBox final : public ListBoxControl {
  public:
    explicit Win32ListBox(HWND list) : list_(list) {}
    void Append(std::string_view utf8Text) override;
    int Count() const override;
    std::string Text(int index) const override;
    std::vector<int> SelectedIndexes() const override;
    void DeleteAt(int index) override;
    void Clear() override;
    void SetHorizontalExtent(int pixels) override;

  private:
    HWND list_;
};

class Win32RadioButton final : public RadioButtonControl {
  public:
    explicit Win32RadioButton(HWND button) : button_(button) {}
    void SetChecked(bool checked) override;
    bool IsChecked() const override;

  private:
    HWND button_;
};

class Win32Edit final : public EditControl {
  public:
    explicit Win32Edit(HWND edit) : edit_(edit) {}
    std::string Text() const override;
    void SetText(std::string_view utf8Text) override;
    void FocusAndSelectAll() override;

  private:
    HWND edit_;
};

class Win32Spin final : public SpinControl {
  public:
    explicit Win32Spin(HWND spin) : spin_(spin) {}
    void SetRange(int lower, int upper) override;

  private:
    HWND spin_;
};

// The sheet's modified mark of one page.
class Win32PageSite final : public PageSite {
  public:
    explicit Win32PageSite(HWND page) : page_(page) {}
    void SetModified(bool modified) override;

  private:
    HWND page_;
};

}  // namespace vireluna::win32
