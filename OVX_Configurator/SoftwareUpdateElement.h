#pragma once

#include <QString>

#include <optional>

// One entry of the program release list ("check_updates.xml"): each field holds the text of
// the child element of the same name, absent until that element has been read.
struct SoftwareUpdateElement {
    std::optional<QString> name;
    std::optional<QString> title;
    std::optional<QString> version;
    std::optional<QString> build;
    std::optional<QString> dateline;
    std::optional<QString> filename;
    std::optional<QString> size;
    std::optional<QString> description;

    // The field that the element `elementName` fills, or null for any other name.
    std::optional<QString>* field(const QString& elementName);

    bool operator==(const SoftwareUpdateElement&) const = default;
};
