// The frame's firmware images: the two DAT blocks of the wizard library's own resources,
// checked for their size once when the frame opens.
#include <cstdint>

#include "common/ModelTable.h"
#include "platform/ui/MessageBox.h"
#include "wizard/frame/BaseDlg.h"
#include "wizard/frame/ProgramFolder.h"

namespace {

// The wizard library looks itself up under this name in the program folder.
constexpr const char* kWizardLibrary = "Qx4t_V0180.so";

}  // namespace

bool CBaseDlg::LoadFirmwareImages() {
    const auto hModule = qx4t::res::loadLibrary(qx4t::frame::programFolder() + kWizardLibrary);
    if (hModule == nullptr) {
        qx4t::ui::appMessageBox(QStringLiteral("QX4T_Vup Resource file cannot be read."));
        return false;
    }

    unsigned long size = 0;
    m_pFWUpdateData = LoadFWUpdateData(hModule, qx4t::kImageIdPlain, &size);
    if (m_pFWUpdateData == nullptr) {
        return false;
    }
    m_dwFWUpdateDataSize = size;

    m_pEthernetFWUpdateData = LoadFWUpdateData(hModule, qx4t::kImageIdEthernet, &size);
    if (m_pEthernetFWUpdateData == nullptr) {
        return false;
    }
    m_dwEthernetFWUpdateDataSize = size;
    return true;
}

std::uint32_t CBaseDlg::Convert(std::uint32_t value) {
    return ((value & 0x000000FFu) << 24) | ((value & 0x0000FF00u) << 8) |
           ((value & 0x00FF0000u) >> 8) | ((value & 0xFF000000u) >> 24);
}

const void* CBaseDlg::LoadResData(qx4t::res::ModuleHandle hModule, unsigned short nId,
                                  unsigned long* pSize) {
    const qx4t::res::DataBlock* block = qx4t::res::findData(hModule, "DAT", nId);
    if (block == nullptr) {
        MessageBox(25015, 25014, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    *pSize = static_cast<unsigned long>(block->size);
    const void* data = qx4t::res::lockData(block);
    if (data == nullptr) {
        MessageBox(25016, 25014, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return data;
}

const void* CBaseDlg::LoadFWUpdateData(qx4t::res::ModuleHandle hModule, unsigned short nId,
                                       unsigned long* pSize) {
    const void* data = LoadResData(hModule, nId, pSize);
    if (data == nullptr) {
        return nullptr;
    }
    if (*pSize != qx4t::kFirmwareImageSize) {
        MessageBox(25021, 25014, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    return data;
}
