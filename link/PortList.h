#pragma once
// The PLC's ports among the machine's serial ports: those whose description begins with one of
// the two prefixes the PLC's USB interface reports.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports/PortEnumerator.h"

// Where the ports come from; process-wide. An empty function restores the default, which
// enumerates the real machine (sysfs, udev data, /dev and the virtual-port registry).
using PortProvider = std::function<std::vector<qx4t::ports::PortInfo>()>;
void SetPortProvider(PortProvider provider);

// True for a description that begins with "TEMLO PLC" or "Brevantis E" (case-sensitive).
[[nodiscard]] bool IsPlcDescription(std::wstring_view description);

// Empties both lists, then appends, for each PLC port in enumeration order, its name as
// OpenPort takes it to `ports` and its whole description to `names`. Both lists always have the
// same length.
void GetComPortList(std::vector<std::wstring>& ports, std::vector<std::wstring>& names);

class CComManager;

// The identity of the PLC on the port `link` has open, opened as `port`: found by the device
// number of the open descriptor (qx4t::ports::identifyOpenPort).
[[nodiscard]] qx4t::PlcIdentity IdentifyOpenPlc(const CComManager& link, const std::wstring& port);
// Whether the port `link` has open, opened as `port`, carries the PLC of `plc`; checked after
// every open and before anything is written.
[[nodiscard]] bool IsThePlc(const CComManager& link, const qx4t::PlcIdentity& plc,
                            const std::wstring& port);
// Where the PLC of `plc`, last opened as `lastPort`, is now (qx4t::ports::locatePlc).
[[nodiscard]] qx4t::ports::PlcWhereabouts LocatePlcPort(const qx4t::PlcIdentity& plc,
                                                        const std::wstring& lastPort);
