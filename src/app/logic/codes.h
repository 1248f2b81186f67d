#pragma once

// Notification codes of the application and document logic objects.
enum TNotifyCode : int {
    ncDocument = 1,
    ncFilename = 2,
    ncModified = 3,
    ncDocCreate = 4,
    ncDocDestroy = 5,
    ncCurrentDoc = 6,
    ncCurrentList = 7,
    ncCurrentSelection = 8,
    ncHistory = 9,
    ncSelectorResult = 10,
    ncClipboard = 11,
};
