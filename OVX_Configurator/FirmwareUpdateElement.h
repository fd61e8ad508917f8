#pragma once

#include <QString>

#include <optional>

// One entry of the firmware release list ("update_list.xml"): each field holds the text of the
// child element of the same name, absent until that element has been read. `device_id` and
// `version` are hexadecimal texts (hexStringToInt).
struct FirmwareUpdateElement {
    std::optional<QString> device_id;
    std::optional<QString> title;
    std::optional<QString> version;
    std::optional<QString> dateline;
    std::optional<QString> size;
    std::optional<QString> filename;
    std::optional<QString> description_cn;
    std::optional<QString> description_en;

    // The field that the element `elementName` fills, or null for any other name.
    std::optional<QString>* field(const QString& elementName);

    bool operator==(const FirmwareUpdateElement&) const = default;
};
