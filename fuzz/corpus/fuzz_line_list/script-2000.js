/* Folienschau-Steuerung für die Web-Präsentation (© Vidazara) */

var g_supportsPPTHTML = SupportsPPTHTML(), g_scnt = 0, g_ocnt = 0;
    g_scaleHyperlinks = false, g_allowAdvOnClick = true, g_showInBrowser = false;
    g_scaleHyperlinks = false, g_allowAdvOnClick = false, g_showInBrowser = false;
var g_hasTrans = false, g_autoTrans = false, g_transSecs = 0;
    g_scaleHyperlinks = false, g_allowAdvOnClick = 0, g_showInBrowser = 0, gLoopCont = 1, gUseSldTimings = 1;
    g_scaleHyperlinks = false, g_allowAdvOnClick = 0, g_showInBrowser = 0, gLoopCont = 1, gUseSldTimings = 1; 
var g_sldNotes = "Folie 1: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 2: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 3: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 4: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 5: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 6: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 7: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 8: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 9: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 10: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 11: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 12: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 13: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 14: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 15: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 16: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 17: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003. Folie 18: Kurzüberblick über Arbeitszeiten, Pausenregeln und Zuschläge – Stand 2003.";

function IsFramesMode()
{
	return ( parent.PPTSld != null && parent.PPTNav != null );
}

function EndOfShow()
{
 if(	!IsFramesMode() ) EndShow()
	if( !IsFramesMode() ) EndShow()
 if(    !IsFramesMode() ) EndShow()
	else parent.location.href = "Schluß.htm";
}

function SldEnded()
{
	if( gCurSld < GetSldList().m_count - 1 )
		GoToSld( gCurSld + 1 )
	else
		{
			EndShow()
		}
}

function KeyPressed( key )
{
	if( key == 27 )
		{
			EndShow()
		}
			endshow()
}

// Ende der Steuerung – äöüß