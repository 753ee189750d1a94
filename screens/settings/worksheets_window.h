// The worksheets window: a set of sheets saved as a PDF or sent to a printer.
#pragma once
