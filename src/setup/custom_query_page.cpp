#include "setup/custom_query_page.h"

#include "files/schedule_file.h"
#include "model/schedule_document.h"

#include <algorithm>
#include <optional>

namespace shiftex {

namespace {

// The lines of one query: its name line and the line that closes it ("end this addition", or
// the next "end all additions" or the end of the lines when the closing line is missing).
struct QueryBlock {
    std::size_t name = 0;
    std::size_t end = 0;
};

// The query is found by its name line, compared exactly. Only name lines count: a code line that
// happens to equal the name belongs to another query.
std::optional<QueryBlock> FindQuery(const std::vector<std::string>& lines,
                                    const std::string& name)
{
    bool atName = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == kEndAllAdditions)
            return std::nullopt;
        if (atName && lines[i] == name) {
            std::size_t end = i + 1;
            while (end < lines.size() && lines[end] != kEndThisAddition &&
                   lines[end] != kEndAllAdditions)
                ++end;
            return QueryBlock{i, end};
        }
        atName = lines[i] == kEndThisAddition;
    }
    return std::nullopt;
}

} // namespace

void SyncQueryThresholds(const std::vector<std::string>& customQueryLines,
                         std::vector<ColorThreshold>& thresholds)
{
    const std::vector<std::string> names = CustomQueryNamesOf(customQueryLines);
    std::erase_if(thresholds, [&](const ColorThreshold& row) {
        return std::find(names.begin(), names.end(), row.name) == names.end();
    });
    for (const std::string& name : names) {
        const auto same = [&](const ColorThreshold& row) { return row.name == name; };
        if (std::none_of(thresholds.begin(), thresholds.end(), same))
            thresholds.push_back(ColorThreshold{name});
    }
}

CustomQueryPage::CustomQueryPage(std::vector<std::string> customQueryLines,
                                 std::vector<WorkingType> checklistTypes)
    : SetupPage("Custom Query Listing"),
      lines_(std::move(customQueryLines)),
      checklist_(std::move(checklistTypes)),
      marks_(checklist_.size(), false)
{
    if (lines_.empty())
        lines_.push_back(kEndAllAdditions);
    AddField("name", 25);
    AddButton("save");
    AddButton("remove");
    AddButton("help");
    OnPick(0);
}

std::vector<std::string> CustomQueryPage::Names() const { return CustomQueryNamesOf(lines_); }

std::vector<std::vector<std::string>> CustomQueryPage::ListEntries() const
{
    std::vector<std::vector<std::string>> entries{{kCreateNewQueryEntry}};
    for (const std::string& name : Names())
        entries.push_back({name});
    return entries;
}

std::vector<std::string> CustomQueryPage::MarkedCodes() const
{
    std::vector<std::string> codes;
    for (std::size_t k = 0; k < checklist_.size(); ++k)
        if (marks_[k])
            codes.push_back(checklist_[k].code());
    return codes;
}

void CustomQueryPage::ToggleMark(int index)
{
    SHIFTEX_ASSERT(index >= 0 && index < static_cast<int>(marks_.size()));
    marks_[static_cast<std::size_t>(index)] = !marks_[static_cast<std::size_t>(index)];
}

int CustomQueryPage::ChecklistIndexOf(const std::string& code) const
{
    for (std::size_t k = 0; k < checklist_.size(); ++k)
        if (checklist_[k].code() == code)
            return static_cast<int>(k);
    return -1;
}

Result<void> CustomQueryPage::OnPick(int index)
{
    SetSelected(index);
    std::fill(marks_.begin(), marks_.end(), false);
    if (index == 0) {
        Enable("name", true);
        SetText("name", {});
        Focus("name");
        Enable("remove", false);
        return {};
    }
    const std::string name = Names()[static_cast<std::size_t>(index) - 1];
    if (const std::optional<QueryBlock> block = FindQuery(lines_, name)) {
        for (std::size_t i = block->name + 1; i < block->end; ++i)
            for (std::size_t k = 0; k < checklist_.size(); ++k)
                if (checklist_[k].code() == lines_[i])
                    marks_[k] = true;
    }
    Enable("remove", true);
    Enable("name", false);
    SetText("name", name);
    return {};
}

Result<void> CustomQueryPage::OnPress(const std::string& button)
{
    if (button == "save")
        return Save();
    SHIFTEX_ASSERT(button == "remove" && selected() > 0);
    const std::string name = Names()[static_cast<std::size_t>(selected()) - 1];
    if (const std::optional<QueryBlock> block = FindQuery(lines_, name)) {
        const bool closed = block->end < lines_.size() && lines_[block->end] == kEndThisAddition;
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(block->name),
                     lines_.begin() + static_cast<std::ptrdiff_t>(block->end + (closed ? 1 : 0)));
    }
    return OnPick(0);
}

Result<void> CustomQueryPage::Save()
{
    const std::string name = Text("name");
    if (selected() == 0) {
        if (Trim(name).empty()) {
            Focus("name");
            return Refuse("\"Name of the custom query\" is a required field.");
        }
        const std::vector<std::vector<std::string>> entries = ListEntries();
        const auto same = [&](const std::vector<std::string>& entry) {
            return entry.front() == name;
        };
        if (std::any_of(entries.begin(), entries.end(), same)) {
            Focus("name");
            return Refuse("\"" + name + "\" already exists.");
        }
    }
    const std::vector<std::string> codes = MarkedCodes();
    if (codes.empty()) {
        Focus("checklist");
        return Refuse("A custom query needs at least one working type.");
    }

    if (selected() == 0) {
        if (!lines_.empty() && lines_.back() == kEndAllAdditions)
            lines_.pop_back();
        lines_.push_back(name);
        lines_.insert(lines_.end(), codes.begin(), codes.end());
        lines_.push_back(kEndThisAddition);
        lines_.push_back(kEndAllAdditions);
        const std::vector<std::string> names = Names();
        const auto at = std::find(names.begin(), names.end(), name);
        OnPick(static_cast<int>(at - names.begin()) + 1);
    } else if (const std::optional<QueryBlock> block = FindQuery(lines_, name)) {
        const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(block->name + 1);
        const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(block->end);
        lines_.insert(lines_.erase(first, last), codes.begin(), codes.end());
    }
    Enable("remove", true);
    return {};
}

} // namespace shiftex
