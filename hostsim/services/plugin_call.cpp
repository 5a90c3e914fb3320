#include "hostsim/services/plugin_call.h"

#include "hostsim/base/host_files.h"
#include "hostsim/goods/goods_backup.h"
#include "hostsim/goods/goods_blocks.h"
#include "hostsim/screen/pass_status.h"
#include "hostsim/services/svc_messages.h"

namespace hostsim {

void EnterPluginCall() {
  HoldAppendedFiles(true);
  StartRunNotes();
}

void LeavePluginCall() {
  CloseHeldFiles();
  WriteOpenGoodsBlocks();
  RecordOpenGoodsRuns();
  KeepRunReports();
  HoldAppendedFiles(false);
  PassStatusClosed();
}

}  // namespace hostsim
