#include "OVX_Configurator/FirmwareUpdateElement.h"

std::optional<QString>* FirmwareUpdateElement::field(const QString& elementName) {
    const std::pair<const char*, std::optional<QString>*> fields[] = {
        {"device_id", &device_id},
        {"title", &title},
        {"version", &version},
        {"dateline", &dateline},
        {"size", &size},
        {"filename", &filename},
        {"description_cn", &description_cn},
        {"description_en", &description_en},
    };
    for (const auto& [fieldName, value] : fields)
        if (elementName == QLatin1String(fieldName))
            return value;
    return nullptr;
}
