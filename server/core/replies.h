// The texts the server's scripts answer with, in the XML-like form the
// controls cut values out of. Lines end with CR LF, as the server's own
// scripts write them; a path value carries a CR LF before its closing tag.
#pragma once

#include "catalog.h"

#include <string>

// query_ex.php?flowNumber=N: the task's synopsis video path.
std::string SynopsisQueryReply(const Catalog& catalog, const std::string& flowNumberText);
// querytranscodestatus.php?UserUploadVideoId=N: the transcoded video path.
std::string TranscodeStatusReply(const Catalog& catalog, const std::string& idText);
// taskdetail.php?flowNumber=N: the task's source video and parameters.
std::string TaskDetailReply(const Catalog& catalog, const std::string& flowNumberText);
// Server.php?command=QueryTubeBasicInfoFilename&FlowNumber=N.
std::string TubeInfoReply(const Catalog& catalog, const std::string& flowNumberText);
// getorgvideofragmenturl.php: the reply naming a fragment at urlPath (which
// starts with "/"), or the failure reply when urlPath is empty.
std::string FragmentReply(const std::string& urlPath);

// getvideosnapshot.php: the snapshot's path below the web root with
// backslash separators ("\snapshot\video\12\cam01.jpg"), or an empty value
// when there is none.
std::string SnapshotReply(const std::string& webPath);

// submittask.php: the new task's flow number, or why there is none.
std::string SubmitTaskReply(int32_t flowNumber);
std::string SubmitTaskErrorReply(const std::string& error);

// A PHP script reads numbers with intval(): leading blanks, sign, digits.
int32_t PhpIntval(const std::string& text);
