// Stands for one frame of the page in the events about it, so that a sink comparing pDisp with
// the control tells the top-level document from its frames.
#pragma once

#include "engine/VtableDispatch.h"

class CFrameDispatch final : public CVtableDispatch<IDispatch> {
public:
    CFrameDispatch() = default;
    CFrameDispatch(const CFrameDispatch&) = delete;
    CFrameDispatch& operator=(const CFrameDispatch&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

private:
    ~CFrameDispatch() = default;

    ULONG m_refs = 1;
};
