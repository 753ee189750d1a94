// The settings window: language, voice, letters, clock, pictures, the check and the worksheets.
#pragma once
