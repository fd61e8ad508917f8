#include "OVX_Configurator/SoftwareUpdateElement.h"

std::optional<QString>* SoftwareUpdateElement::field(const QString& elementName) {
    const std::pair<const char*, std::optional<QString>*> fields[] = {
        {"name", &name},         {"title", &title},
        {"version", &version},   {"build", &build},
        {"dateline", &dateline}, {"filename", &filename},
        {"size", &size},         {"description", &description},
    };
    for (const auto& [fieldName, value] : fields)
        if (elementName == QLatin1String(fieldName))
            return value;
    return nullptr;
}
