#pragma once

// Which release list the application delegate is parsing.
enum class XMLType { XMLSoftwareUpdates = 0, XMLFirmwareUpdates = 1 };
