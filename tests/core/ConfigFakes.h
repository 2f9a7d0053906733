#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/config/DesignListCheck.h"
#include "core/config/OptionPage.h"
#include "core/config/PageControls.h"
#include "tests/core/TestPathLimit.h"

// Fakes of the configuration pages' controls: they keep what a real control would show.
namespace vireluna::testing {

class FakeListBox final : public ListBoxControl {
  public:
    void Append(std::string_view text) override { entries.emplace_back(text); }
    int Count() const override { return static_cast<int>(entries.size()); }
    std::string Text(int index) const override { return entries.at(index); }
    std::vector<int> SelectedIndexes() const override { return selected; }
    void DeleteAt(int index) override {
        entries.erase(entries.begin() + index);
        std::erase(selected, index);
        for (int& i : selected) i -= i > index ? 1 : 0;
    }
    void Clear() override { entries.clear(), selected.clear(); }
    void SetHorizontalExtent(int pixels) override { extent = pixels; }

    std::vector<std::string> entries;
    std::vector<int> selected;
    int extent = 0;
};

class FakeRadio final : public RadioButtonControl {
  public:
    void SetChecked(bool value) override { checked = value; }
    bool IsChecked() const override { return checked; }
    bool checked = false;
};

// Calls back on every text change, as the real field notifies its page.
class FakeEdit final : public EditControl {
  public:
    std::string Text() const override { return text; }
    void SetText(std::string_view value) override {
        text = value;
        if (onChange) onChange();
    }
    void FocusAndSelectAll() override { ++focusedAndSelected; }
    std::string text;
    int focusedAndSelected = 0;
    std::function<void()> onChange;
};

class FakeSpin final : public SpinControl {
  public:
    void SetRange(int lowerEnd, int upperEnd) override { lower = lowerEnd, upper = upperEnd; }
    int lower = 0, upper = 0;
};

// The option page's controls: its radio buttons in page order (pen size, rotation, draw step),
// its three fields and their spin buttons.
struct FakeOptionControls {
    OptionPageControls Controls() {
        OptionPageControls controls;
        std::size_t next = 0;
        for (RadioButtonControl*& button : controls.penSize) button = &radios[next++];
        for (RadioButtonControl*& button : controls.rotation) button = &radios[next++];
        for (RadioButtonControl*& button : controls.drawStep) button = &radios[next++];
        controls.drawSpeed = &drawSpeed;
        controls.reduction = &reduction;
        controls.holdTime = &holdTime;
        controls.spinDrawSpeed = &spins[0];
        controls.spinReduction = &spins[1];
        controls.spinHoldTime = &spins[2];
        return controls;
    }

    std::array<FakeRadio, PenSizeButtons + RotationButtons + DrawStepButtons> radios;
    FakeEdit drawSpeed, reduction, holdTime;
    std::array<FakeSpin, 3> spins;
};

class FakeFileDialog final : public FileOpenDialog {
  public:
    FileChoice Choose() override { return next; }
    FileChoice next;
};

class FakeMessageBoxes final : public MessageBoxes {
  public:
    struct Box {
        std::string text;
        std::string caption;
        MessageIcon icon;
        bool operator==(const Box&) const = default;
    };
    void Show(std::string_view text, std::string_view caption, MessageIcon icon) override {
        shown.push_back({std::string(text), std::string(caption), icon});
    }
    std::vector<Box> shown;
};

// Header counts by path; a path not listed is missing. Records every path it opened.
class FakeHeaderProbe final : public DesignHeaderProbe {
  public:
    FakeHeaderProbe() : DesignHeaderProbe(TestPathLimit) {}
    DesignFileCounts Probe(const std::string& path) override {
        opened.push_back(path);
        const auto found = files.find(path);
        if (found == files.end()) return {DesignFileCounts::Outcome::NotFound};
        return found->second;
    }
    void Add(const std::string& path, std::int32_t colours, std::int32_t stitches) {
        files[path] = {DesignFileCounts::Outcome::Read, colours, stitches};
    }
    std::map<std::string, DesignFileCounts> files;
    std::vector<std::string> opened;
};

}  // namespace vireluna::testing
