#pragma once

#include "proc.h"
#include "req.h"

class VorrakProcDialog;
class VorrakReqDialog;

// Moves a process or requirement record into its form before exec() and the
// form's values back into the record after an accepted run. Only the fields
// the form shows are touched; everything else of the record stays.
namespace RecordForm {

// Name and QL limits; a process with equal limits opens in the special state.
void presetProc(VorrakProcDialog &form, const Proc &proc);
// A checked "Special" box stores the Min QL value as both limits.
void readProc(const VorrakProcDialog &form, Proc &proc);

// Disables the ID row: a skill has no item number.
void prepareForSkill(VorrakReqDialog &form);
// Name, multiplier (a multiplier worth 0 opens fixed) and, unless the ID
// row is disabled, the ID as a signed number so negative IDs survive.
void presetReq(VorrakReqDialog &form, const Req &req);
// A checked "Fixed" box stores "0"; the ID is read only while its row is
// enabled, and text that is no 32-bit number reads as 0.
void readReq(const VorrakReqDialog &form, Req &req);

} // namespace RecordForm
