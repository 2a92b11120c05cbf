#pragma once
// Which PLC is which. The PLC's status names its model, version and mode, nothing unique, so a
// PLC is known by what the port tells of the device behind it. The wizard's pages and qx4t-vup
// both decide with these functions, on every platform, so that the two never disagree about
// whether the PLC on a port is the one a version-up began with.
#include <string>
#include <string_view>
#include <vector>

namespace qx4t {

// What discovery knows of one listed port; empty fields are unknown.
struct PortFacts {
    std::string name;       // as discovery lists it ("serial/by-id/...", "ttyACM0", "pts/7")
    std::string serial;     // "usb-serial:<serial number>/<interface>"
    std::string path;       // "usb-path:<physical USB path and interface>"
    std::string virtualId;  // "virtual:<id>" from the virtual-port registry
    std::string device;     // the device number of its node, "<major>:<minor>"
};

// Strongest first: the order in which a key is chosen.
enum class IdentityKind { Serial, Path, Virtual, Name };
// "serial", "path", "virtual", "name": the JSON spelling.
[[nodiscard]] std::string_view IdentityKindName(IdentityKind kind);

struct PlcIdentity {
    IdentityKind kind = IdentityKind::Name;
    std::string key{};   // what the PLC is followed by: the chosen fact, or "port:<name>"
    bool unique = true;  // false: a stronger fact was shared with another port
    PortFacts facts{};   // everything known of the port when the identity was chosen
};

// The key of a port known by nothing but its name; today's notes are also kept under it.
[[nodiscard]] std::string NameKey(std::string_view name);

// The identity of listed[index]: the serial number where no other listed port has it, else the
// physical path, else the registry's id where no other listed port has it, else the name. A
// port that shares a serial number or id and has no path is not unique: it cannot be told apart
// from the other, and a version-up cannot follow it across names.
[[nodiscard]] PlcIdentity ChooseIdentity(const std::vector<PortFacts>& listed, std::size_t index);

enum class PortMatch {
    Same,       // the PLC the identity was chosen for
    Other,      // another device
    Ambiguous,  // the serial number matches, but at another physical path: never taken for it
};
// Whether the port described by `now` (found by the device number of the descriptor actually
// open, else by name) carries the PLC of `plc`.
[[nodiscard]] PortMatch MatchPlc(const PlcIdentity& plc, const PortFacts& now);

// Every key a note of an unverified update of this PLC may stand under: its identity, its other
// facts and the name key that earlier releases wrote. A note under any of them counts.
[[nodiscard]] std::vector<std::string> NoteKeys(const PlcIdentity& plc);
// The keys a verified PLC may clear: those of NoteKeys that no other port can share (a shared
// serial number or id may carry another PLC's note).
[[nodiscard]] std::vector<std::string> OwnNoteKeys(const PlcIdentity& plc);

enum class RestartVerdict {
    Verified,      // the same PLC, the same model, the target version
    WrongVersion,  // the same PLC with another version
    OtherPlc,      // another identity or another model answered: not the PLC that was updated
};
// The verdict on the status read after the restart. The model is compared too: an identity
// alone (a name, a serial number shared by cheap bridges) does not prove it is the same PLC.
[[nodiscard]] RestartVerdict JudgeRestartAnswer(PortMatch match, std::wstring_view firstModel,
                                                std::wstring_view modelNow,
                                                std::wstring_view versionNow,
                                                std::wstring_view target);

}  // namespace qx4t
