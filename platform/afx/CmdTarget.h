// The root of the framework's message and event routing.
#pragma once

#include "platform/afx/EventSinkMap.h"
#include "platform/afx/MessageMap.h"

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
    virtual const AFX_EVENTSINKMAP* GetEventSinkMap() const { return GetThisEventSinkMap(); }
    static const AFX_MSGMAP* GetThisMessageMap();
    static const AFX_EVENTSINKMAP* GetThisEventSinkMap();

    // Runs the first row for the command id in this class's map chain; true when one ran.
    virtual bool OnCmdMsg(UINT id);
    // Runs the first row for the control's event in the event-sink map chain.
    bool OnEvent(UINT controlId, DISPID dispid, DISPPARAMS* params);

    void BeginWaitCursor();
    void EndWaitCursor();

protected:
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT id) const;
};
