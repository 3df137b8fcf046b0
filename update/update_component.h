#pragma once
// The components whose updates the vendor's service knows: the firmware of the
// mouse, the keyboard and the mouse pad, and the application itself.
#include <QString>

#include <cstdint>
#include <vector>

namespace q31::update {

struct UpdateComponent {
    std::int32_t typeNumber = 0;  // nonzero: versions are hexadecimal
    std::int32_t revision = 0;
    std::uint32_t version = 0;    // installed; 0 = not known, the component is left out
    QString brand;
    QString modelCode;            // "ALL" marks the application
    QString kind;
    QString displayName;
    QString fixedVersionText;     // shown as the installed version of decimal rows
    std::uint16_t deviceType = 0; // the device kind whose firmware this is; 0: the application

    bool HexVersions() const { return typeNumber != 0; }
};

// The fixed table, in its order, every version 0.
std::vector<UpdateComponent> UpdateComponentTable();

// brand_type_model_kind_revision, e.g. "QUORL_1_RM7D_MS_1"; "NULL" without a brand.
QString BuildAppKey(const UpdateComponent& component);

// "V%04x" for hexadecimal versions, "V%d" otherwise.
QString VersionText(bool hexVersions, std::uint32_t version);

// A connected device as the main window lists it: its device type (cable or
// receiver) and the HID version number of its interface.
struct InstalledDevice {
    std::uint16_t deviceType = 0;
    std::uint16_t versionNumber = 0;
};

// The table with each firmware row's version taken from the first device of
// its kind, whatever the order of the devices, and the application's version;
// rows left at version 0 are dropped.
std::vector<UpdateComponent> ListedComponents(const std::vector<InstalledDevice>& devices,
                                              std::uint32_t applicationVersion);

// The leading digits of text in base 10 or 16; none, or a value past 32 bits, read as 0.
std::uint32_t LeadingVersionNumber(const QString& text, int base);

// A version text with its dots removed, read as a decimal number: "1.0.2.7" gives 1027.
// Only the leading digits count; none (or too many) give 0.
std::uint32_t VersionFromDottedText(const QString& text);
// This build's version, read as above.
std::uint32_t ReadInstalledAppVersion();
// The same version as people read it: "0.1.0".
QString InstalledAppVersionText();

}  // namespace q31::update
