// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <initguid.h>

#include "windows/ui/Annotation.h"

#include <oleacc.h>
#include <wrl/client.h>

namespace soruberia::windows {

namespace {

IAccPropServices* Service() {
    // One service for the run; null where the system lacks it.
    static Microsoft::WRL::ComPtr<IAccPropServices> service = [] {
        Microsoft::WRL::ComPtr<IAccPropServices> made;
        if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(made.GetAddressOf()))))
            made.Reset();
        return made;
    }();
    return service.Get();
}

}  // namespace

void AnnotateDescription(HWND control, const std::wstring& description) {
    IAccPropServices* service = Service();
    if (service == nullptr || control == nullptr) return;
    if (description.empty()) {
        MSAAPROPID property = PROPID_ACC_DESCRIPTION;
        service->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property, 1);
    } else {
        service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                PROPID_ACC_DESCRIPTION, description.c_str());
    }
}

}  // namespace soruberia::windows
