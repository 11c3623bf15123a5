#include "aspects/interpretation_table.h"

#include <cstddef>

namespace orbisca {
namespace {

using enum Body;
using enum ParagraphPool;
using enum ParagraphVariant;

using Row = InterpretationParagraph;

// The program's own interpretation texts: one row per paragraph, each written
// once. The grids below refer to the rows by pool, pair and letter.
constexpr std::array<Row, kInterpretationParagraphCount> kParagraphs = {{
    // Conjunction, sextile and trine: favourable or neutral readings.
    {Harmonious, Sun, Moon, Only,
     "You will be confident and will know how to make things work for you and not against you. You are well balanced in body and mind and will be alert even in times of crisis. You will be focused in your goals and at the same time not ignorant of others' needs. You will be emotionally impulsive. You will also adhere to your habits."},
    {Harmonious, Sun, Mercury, Only,
     "You will think clearly and speak with conviction, and people will take your word seriously. Your mind serves your will, so plans rarely stay on paper for long. Study, writing and any trade that rewards a quick head will suit you. Guard only against taking your own opinions for the whole truth."},
    {Harmonious, Sun, Venus, Only,
     "You will have a natural charm and a warm manner that win friends easily. Beauty, music and the arts give you real pleasure, and you may have a talent of your own in one of them. Love comes to you more readily than to most. You are generous with affection and hope to be treated the same way."},
    {Harmonious, Sun, Mars, Only,
     "You will have abundant energy and the courage to act where others hesitate. Since Mars lends its fire to the Sun, your will is strong and your constitution robust. Competition excites you, and you will often lead from the front. Learn to rest now and then, for you spend your strength freely."},
    {Harmonious, Sun, Jupiter, Only,
     "You will be blessed with optimism, good health and an open hand. Luck tends to find you at the right moment, and teachers and elders will help you rise. Others trust your sense of fairness. Your faith in life is large and is usually rewarded, though you may promise more than you can give."},
    {Harmonious, Sun, Saturn, Only,
     "You will mature early and carry responsibility well. Success may come slowly, but what you build will last, because you are patient and thorough. Your father or an older person may shape your sense of duty. Authority will come to you through hard work rather than as a gift, and once earned it stays with you."},
    {Harmonious, Sun, Uranus, Only,
     "You will be original, independent and unwilling to follow the crowd. Sudden changes tend to open doors for you rather than close them. You have a gift for seeing what others overlook, and invention, science or reform may attract you. A life without room to breathe would never suit you."},
    {Harmonious, Sun, Neptune, Only,
     "You will be sensitive, imaginative and quick to sense the moods of people around you. Music, poetry, film or a spiritual practice may become both a refuge and a calling. Your compassion is genuine, and you will often help those who cannot help themselves. Keep one foot on the ground so that your dreams can take shape."},
    {Harmonious, Sun, Pluto, Only,
     "You will have great inner strength and a will that does not break easily. Crises change you, and each time you come out of one more fully yourself. You are drawn to the hidden side of things: research, healing, or the wise use of power. People sense your intensity even when you say little."},
    {Harmonious, Moon, Mercury, Only,
     "Your mind will be lively and receptive, with a good memory above all for what has touched you. You speak about feelings easily, and people will come to you to talk things through. Your mother may have encouraged your learning. Writing, teaching or any work that deals with the public will suit you."},
    {Harmonious, Moon, Venus, Only,
     "You will be gentle, affectionate and fond of a comfortable, pretty home. People find you easy to like, and women in particular will be kind to you. You have a feeling for harmony in colour and sound. Domestic life will be a source of happiness, and you will be the one who keeps the peace within your family."},
    {Harmonious, Moon, Mars, Only,
     "You will feel strongly and act on your feelings at once. You have the courage to defend your home and the people you love. Your moods flare quickly but do not linger. Since Mars stirs the Moon, there is a restless energy in you that is best spent in sport, hard work or a cause you believe in."},
    {Harmonious, Moon, Jupiter, Only,
     "You will be warm-hearted, hospitable and free with your time. Good fortune often comes through your mother, your family or the public. You have a natural faith that things will turn out well, and this outlook helps them to do so. A large household will please you, and you may travel or live abroad for a while."},
    {Harmonious, Moon, Saturn, Only,
     "You will be emotionally steady and reliable, someone others can lean on. You may have learned self-control early, perhaps because home life asked much of you. Your feelings run deep even when you do not show them. Careful with money and loyal to old friends, you will see your patience rewarded in later years."},
    {Harmonious, Moon, Uranus, Only,
     "You will have changeable moods and a strong need for emotional freedom. Your intuition is quick and often surprising, and you may sense events before they happen. Home life may shift several times, through moves or unusual arrangements. Lively, unconventional friends will gather around you, and the public will find you refreshing."},
    {Harmonious, Moon, Neptune, Only,
     "You will feel the unspoken moods of a room as if they were your own. Your compassion is deep and your imagination rich, and you may have a gift for healing or for the spiritual life. Art, music and the sea will soothe you. Choose your company with care, and keep quiet hours alone to restore yourself."},
    {Harmonious, Moon, Pluto, Only,
     "You will feel everything intensely and will not settle for shallow ties. Your emotional life may pass through deep changes, each one leaving you stronger. You read people well and see what they hide. The bond with your mother may be a powerful one. When others panic, you become calm and resourceful."},
    {Harmonious, Mercury, Venus, Only,
     "You will speak gracefully and write in a pleasing style. With Mercury beside Venus, words come to you in the service of beauty, whether in poetry, song, design or diplomacy. You are tactful and polite, and people enjoy your conversation. Trade in art, fashion or fine goods may profit you."},
    {Harmonious, Mercury, Mars, Only,
     "You will be quick-witted, outspoken and decisive. You enjoy an argument and usually win it, because you think fast on your feet. Your words carry force, and you are not afraid to speak out. Debate, engineering, journalism or any work that needs mental courage will suit you. A brother or sister may spur your ambitions."},
    {Harmonious, Mercury, Jupiter, Only,
     "You will love learning for its own sake, and your mind will range widely. Books, teachers and travel open your world, and you may teach, preach or publish in your turn. You see the large picture and can explain it to others. Your judgement in business is sound, and higher education will serve you well."},
    {Harmonious, Mercury, Saturn, Only,
     "You will think carefully, methodically and with great concentration. You do not rush to conclusions, and what you learn you keep. Your speech is measured, and your word can be relied on. Mathematics, science, law or any discipline that demands precision will reward you. Age will only sharpen your judgement."},
    {Harmonious, Mercury, Uranus, Only,
     "Ideas will come to you in flashes, often ahead of their time. You grasp new techniques quickly and enjoy unusual subjects and unusual people. Your speech can be witty and surprising. Where slower thinkers are stuck, a sudden insight of yours will often find the way through. You will be happiest where invention is welcome."},
    {Harmonious, Mercury, Neptune, Only,
     "You will have a poetic mind and a vivid imagination. You think in images and feelings as much as in words, and this gives your writing or speech a rare charm. Your intuition about people is often right. Fiction, music, photography or mystical study may draw you. Check the facts before you sign anything."},
    {Harmonious, Mercury, Pluto, Only,
     "Your mind goes straight to the heart of any matter, and surface answers will never content you. Secrets, research and investigation fascinate you. When you speak, you can persuade others and even change their minds for good. You will find that your studies transform your own life as well as the lives of those you teach."},
    {Harmonious, Venus, Mars, Only,
     "You will be passionate, warm and attractive to the opposite sex. Love and desire go hand in hand for you, and you pursue what you want with charm. A creative drive shows in art, dance or craft. Your social life will be busy. You know how to bring energy to a partnership without spoiling its sweetness."},
    {Harmonious, Venus, Jupiter, Only,
     "Life will offer you many comforts, for Jupiter enlarges whatever Venus touches. You are popular, kind-hearted and fortunate in love and money. Your taste is refined and your hospitality generous. Marriage and partnerships are likely to bring you gain. You will enjoy beauty in all its forms and share it freely."},
    {Harmonious, Venus, Saturn, Only,
     "You will need to learn to let go if you have to achieve anything. You are loyal in love and take your commitments seriously, at times too seriously. Affection may come to you late, but it will be lasting. You have a sense of form and proportion that suits art, design or building. Patience will turn your relationships into something solid."},
    {Harmonious, Venus, Uranus, Only,
     "You will be given to infatuations and attractions. Love may strike you suddenly and leave just as suddenly. You want a partner who is also a friend and who respects your freedom. Your taste in art and dress is original, even daring. You will meet people in unexpected ways, and some of them will change the direction of your life."},
    {Harmonious, Venus, Neptune, Only,
     "You will be romantic, idealistic and easily moved by beauty. You may love selflessly and see the best in the people you care for. Painting, dance, film or music may reveal your gifts. Your kindness is real, and you often give without asking anything back. You dream of a perfect love, and now and then you may find it."},
    {Harmonious, Venus, Pluto, Only,
     "You will love deeply and with your whole being. Relationships change you profoundly, and one of them may transform your life. Others feel your magnetism at once. Money and passion can both come to you through partnership. Light affairs will not satisfy you, for you seek a union of souls."},
    {Harmonious, Mars, Jupiter, Only,
     "You will take on large undertakings with zest and usually see them through. Your drive is matched by good judgement, so your risks often pay off. Sport, law, travel or any adventure of body and mind may bring you success. You fight for what is just, and your confidence inspires the people who follow you."},
    {Harmonious, Mars, Saturn, Only,
     "You will have great stamina and the discipline to spend your energy where it counts. You can work hard for long periods without complaint. Your courage is of the steady kind that needs no applause. Engineering, surgery, the armed forces or any demanding trade will suit you. Obstacles only harden your resolve."},
    {Harmonious, Mars, Uranus, Only,
     "You will act quickly and independently, often before others have made up their minds. You love freedom and may rebel against any rule that seems pointless. Your energy comes in bursts, and work with machines, electricity or new methods suits you. You have the nerve to take sudden chances, and many of them turn out well."},
    {Harmonious, Mars, Neptune, Only,
     "You will put your energy into ideals and dreams. You can work tirelessly for a cause, a charity or a creative project that moves you. Dance, swimming, acting or music may suit you. Your courage is gentle rather than aggressive. You achieve most when you follow an inner vision instead of a plain wish to win."},
    {Harmonious, Mars, Pluto, Only,
     "You will have immense willpower and the endurance to see hard tasks through. Once you decide on something, almost nothing can stop you. Work that involves danger, research, surgery or the recovery of what was lost may attract you. Your energy renews itself even after exhaustion, and you meet emergencies with cool nerve."},
    {Harmonious, Jupiter, Saturn, Only,
     "You will combine optimism with prudence, and this balance will serve you all your life. You know when to expand and when to hold back. Your ambitions are realistic and your plans well founded. You may rise steadily to a position of trust. In your later years experience will turn into wisdom."},
    {Harmonious, Jupiter, Uranus, Only,
     "You will have sudden strokes of luck and the freedom to enjoy them. Your faith is broad and open to new ideas, and science, astrology or philosophy may interest you. Travel and unusual friendships widen your outlook. You welcome progress and can persuade others to try something new."},
    {Harmonious, Jupiter, Neptune, Only,
     "You will have a deep spiritual sense and a compassionate heart. Since Jupiter is the planet of mercy, you will be ready to forgive and to help people in need. Religion, mysticism, music or charity may play a large part in your life. You will often be protected in ways you do not see."},
    {Harmonious, Jupiter, Pluto, Only,
     "You will have a talent for organising resources and people on a large scale. Ambition and vision work together in you, and you may gain great influence. The deeper laws of life draw you, whether in finance, religion or psychology. Your faith can survive any upheaval, and you use power to build rather than to destroy."},
    {Harmonious, Saturn, Uranus, Only,
     "You will be able to bring new ideas into practical form. You respect tradition but know when it must change, and you can reform old structures without tearing them down. Your mind is both disciplined and original. Science, administration or technical work will suit you, and the changes you make will last."},
    {Harmonious, Saturn, Neptune, Only,
     "Your dreams will not stay dreams, for you have the patience for slow creative work and the discipline that inspiration needs. Spiritual matters are serious to you, and you may practise meditation or service with real dedication. Your compassion is practical and steady."},
    {Harmonious, Saturn, Pluto, Only,
     "You will have tremendous endurance and a capacity for concentrated effort. After a loss you can rebuild from the ground up. Your ambition is deep and quiet, and you are willing to work for years to reach a goal. People respect you in serious matters, because your strength of character has been proven."},
    {Harmonious, Uranus, Neptune, A,
     "You belong to a generation born to blend vision with invention. Your love of freedom and your intuition merge, and you may be drawn to technology that serves the imagination or to new forms of spiritual life. You will feel the dreams of your age keenly. Old walls between science and mysticism will mean little to you."},
    {Harmonious, Uranus, Neptune, B,
     "You will share with your generation a gentle openness to new ideals. Change and compassion work hand in hand in you, and you can accept the unusual without fear. Your hunches are quick and often inspired. You will support reforms that make life kinder, and you may find your own path through art, music or meditation."},
    {Harmonious, Uranus, Pluto, A,
     "You are part of a generation born to overturn the old order. Sudden change and deep transformation are your birthright, and you will not accept rules without reasons. You will take part in upheavals that reshape society. Your private life may also be marked by radical breaks and fresh starts."},
    {Harmonious, Uranus, Pluto, B,
     "You will be able to welcome change without being torn apart by it. Your generation carries a talent for reform that renews rather than wrecks. You can tell when something has outlived its use and let it go at the right moment. Crises become chances for growth in your hands, both for yourself and for others."},
    {Harmonious, Neptune, Pluto, A,
     "You were born with a generation that stood where one age turns into the next. Deep spiritual currents and the breakdown of old beliefs run through your life. You will sense that something is ending and something new is being born. Your faith may be remade, and with it your understanding of what is real."},
    {Harmonious, Neptune, Pluto, B,
     "Like others born in your years, you carry a quiet capacity for inner renewal. Your dreams and your deepest drives are in harmony, so you can change from within without great upheaval. Psychology, healing or the mystic traditions may draw you. You trust that there is meaning behind the changes of the world."},

    // Square, quincunx and opposition: strained readings.
    {Challenging, Sun, Moon, Only,
     "You will always struggle between what you need and what you desire. You may lack focus to concentrate on your goals. You will work too hard or be hardly motivated. You will be like both sides of a coin. You will be forever trying to make peace with your emotional side."},
    {Challenging, Sun, Mercury, Only,
     "You will find it hard to listen when your pride is at stake. Your opinions and your sense of self are so tightly bound that criticism of an idea feels like criticism of you. When nervous, you may talk too much or too fast. Sooner or later you must accept that changing your mind is no defeat."},
    {Challenging, Sun, Venus, Only,
     "You will want to be loved and admired, sometimes more than is good for you. Vanity or indulgence may lead you into debts of money or of the heart. Your affections can turn fickle when flattery is on offer. Real love asks for effort as well as charm, and you will learn this the hard way."},
    {Challenging, Sun, Mars, Only,
     "You will be headstrong and quick to anger, and you may clash with men in authority, your father among them. Your energy outruns your patience, and haste can lead to accidents or quarrels. Every disagreement looks to you like a battle. Unless you pour your force into work or sport, it will pour itself into conflict."},
    {Challenging, Sun, Jupiter, Only,
     "You will be inclined to overdo things: too much food, too many promises, too great a trust in luck. Your confidence can swell into arrogance if no one checks it. Teachers or religious authorities may find you hard to guide. Moderation is your lesson, for your generosity can outrun your means."},
    {Challenging, Sun, Saturn, Only,
     "You will meet delays and obstacles that test your will, especially in early life. Your father may have been strict, absent or weighed down by his own troubles, and you may feel you must earn every right. Self-doubt, the heaviest of Saturn's gifts, can hold you back longer than any outside barrier. Success will come late, but it will be yours."},
    {Challenging, Sun, Uranus, Only,
     "You will resist authority and may break with people abruptly when you feel confined. Sudden events may interrupt your life and force you to begin again. You value independence so highly that close ties can feel like chains. Learn to change course without burning your bridges."},
    {Challenging, Sun, Neptune, Only,
     "You will sometimes lose sight of who you are and what you want. Others may deceive you, or you may deceive yourself with hopes that cannot be met. Your father may seem distant or hard to understand. Beware of escape through drink, drugs or daydreams. Only honesty with yourself will make you strong."},
    {Challenging, Sun, Pluto, Only,
     "You will meet power struggles with people in authority, and you may be tempted to control others rather than yourself. Your will is fierce and can become ruthless under pressure. Life may bring crises that strip away what you thought you needed. Each time you will rise again, provided you let the old self die."},
    {Challenging, Moon, Mercury, Only,
     "You will find that your head and your heart often disagree. You may worry needlessly and speak before your feelings have settled. Nervous tension can upset your stomach or your sleep. Gossip and misunderstanding may trouble your household. A calm pause before you answer will spare you much regret."},
    {Challenging, Moon, Venus, Only,
     "There will be tremendous conflict between Moon and Venus. You will want comfort and affection so much that you may cling to the wrong people. Spending on pleasures can leave you short. Your ties with women, your mother included, may be loving but uneasy. Your worth must be found inside yourself, not in other people's approval."},
    {Challenging, Moon, Mars, Only,
     "You will have a quick temper and feelings that boil over without warning. Quarrels at home, especially with your mother or a sibling, may mark your youth. You act on impulse and regret it later. When you are upset, your digestion may suffer. Physical work will be the best outlet for feelings that have nowhere else to go."},
    {Challenging, Moon, Jupiter, Only,
     "You will tend to exaggerate your feelings and may promise more than you can deliver. Extravagance at home, or a weakness for rich food, may become a problem. You are generous to a fault, and others may take advantage of it. The religious or moral views of your family may be hard to reconcile with your own."},
    {Challenging, Moon, Saturn, Only,
     "You will feel lonely at times, even among people who love you. Your childhood may have been marked by coldness, duty or hardship, and you may find it hard to show warmth. Gloom can visit you in difficult seasons. Remember that you deserve comfort as much as anyone. Your feelings thaw slowly, but they thaw truly."},
    {Challenging, Moon, Uranus, Only,
     "You will be emotionally restless and may change your home, your plans or your friends abruptly. Your moods can shift without warning, which unsettles the people close to you. Family life may be disrupted by separations or unusual events. You crave freedom yet fear losing security, and you must make room for both."},
    {Challenging, Moon, Neptune, Only,
     "You will be easily swayed by your moods and by the moods of others. You may be too trusting, and people may take advantage of your kindness. Confusion in family matters, or secrets in the home, may trouble you. Be careful with alcohol and medicines. Clear boundaries will keep your sensitivity from becoming a burden."},
    {Challenging, Moon, Pluto, Only,
     "You will feel emotions with an intensity that can frighten you and others. Jealousy and possessiveness may spoil close ties. Your relationship with your mother may have been a struggle for control. You may keep hurts buried for years. Until old wounds are allowed to heal, they will rule your choices."},
    {Challenging, Mercury, Venus, Only,
     "You will be tempted to say what people want to hear rather than what is true. Your taste may be good, but your judgement in money can be careless. Talent may be wasted on idle chatter or pleasant distractions. Your gifts will bear fruit only when you bring discipline to them."},
    {Challenging, Mercury, Mars, Only,
     "You will be argumentative and sharp-tongued, and words may get you into trouble. You tend to jump to conclusions and defend them fiercely. Disputes with siblings or neighbours may be frequent, and hurry strains your nerves. Winning an argument, you will discover, is not the same as being right."},
    {Challenging, Mercury, Jupiter, Only,
     "You will know a little about many things and may believe you know more than you do. Your plans can be too large for their details. You may be careless with promises, contracts or facts, and poor judgement in legal matters or travel may cost you. Narrow your focus, and your mind will keep its promise."},
    {Challenging, Mercury, Saturn, Only,
     "You will be prone to worry, pessimism and doubts about your own intelligence. Learning may have been hard in childhood, perhaps because of a strict teacher or a lack of opportunity. You may say little for fear of being wrong. Confidence will come slowly, and the knowledge you win through effort will be sound."},
    {Challenging, Mercury, Uranus, Only,
     "You will be mentally restless, impatient with slower minds and prone to nervous strain. Your ideas are original, but you may scatter them before they are finished. You can be tactless and contrary for the sake of it. Sudden decisions bring sudden reversals, so patience in thought and speech must be learned."},
    {Challenging, Mercury, Neptune, Only,
     "You will often be confused, forgetful and muddled in your plans. Others may mislead you, or your imagination may run ahead of the facts. Read every contract twice and keep clear records. To avoid conflict, you may say things you do not mean. A plain daily routine will anchor your wandering mind."},
    {Challenging, Mercury, Pluto, Only,
     "You will be suspicious by nature and may probe too deeply into other people's affairs. Your words can wound, and you may use knowledge as a weapon. Obsessive thoughts may trouble your sleep. You may be drawn into secrets that are not yours to keep. Your insight is meant for healing, not for control."},
    {Challenging, Venus, Mars, Only,
     "You will be torn between love and desire, tenderness and passion. Relationships may be stormy, with quarrels followed by reconciliation. You may rush into affairs and leave them just as fast. Money may slip through your hands on impulse. Only a partner who can meet both your warmth and your fire will keep you."},
    {Challenging, Venus, Jupiter, Only,
     "You will grow lazy and self-indulgent when things come easily. Your love of luxury may outrun your income. In love you may expect too much, or give too freely to those who do not deserve it. Value quality over quantity, in your pleasures and in your friendships alike."},
    {Challenging, Venus, Saturn, Only,
     "You will feel unloved at times, or find that love brings duty before joy. Shyness or fear of rejection may keep you apart from others. Marriage may come late, or to someone who burdens you, and money worries may press on you. Love given with patience does return, though the lesson is slow."},
    {Challenging, Venus, Uranus, Only,
     "You will find that love arrives and departs without warning. You may fall for people who cannot commit, or be the one who cannot stay. Sudden separations or divorces are possible. Your need for excitement may spoil a steady bond. Give your partner room and ask for room in turn, without breaking what you have."},
    {Challenging, Venus, Neptune, Only,
     "You will fall in love with an ideal instead of the person in front of you. Secret affairs or deceptions may bring disappointment. You may give too much to those who only take. Your artistic gifts are real but may drift away in daydreams. See people as they are before you give your heart."},
    {Challenging, Venus, Pluto, Only,
     "You will love obsessively and may be caught in relationships that consume you. Jealousy, possessiveness or power games may poison affection. Money and desire may become entangled in painful ways. A love affair may end in a crisis that changes you completely. Love that is set free is the only kind that will heal you."},
    {Challenging, Mars, Jupiter, Only,
     "You will be reckless and overconfident, taking risks that outrun your resources. Your enthusiasm can turn into fanaticism when your beliefs are challenged. Lawsuits or quarrels over principle may cost you dearly. You may take on too much at once and wear yourself out. Temper your zeal with sober judgement."},
    {Challenging, Mars, Saturn, Only,
     "You will feel your energy blocked, as if you were driving with the brakes on. Frustration can build into bitter anger or cold cruelty if it has no outlet. Accidents involving bones, falls or machinery are possible. For a long time your efforts may seem to bring little reward. Steady, patient work is what turns this hardship into strength."},
    {Challenging, Mars, Uranus, Only,
     "You will be impulsive, rebellious and prone to sudden outbursts. You may take dangerous risks, and accidents with fire, electricity or speed are possible. Your temper can flare and break ties in an instant. With Uranus goading Mars, you resist all control. Slow down and think before you act, for your nerves are highly strung."},
    {Challenging, Mars, Neptune, Only,
     "You will find your energy drained or misdirected at times. You may pursue vague goals or be drawn into schemes that prove to be deceptions. Your health may be sensitive to drugs, alcohol or infections. Anger may go underground and come out in strange ways. Honest, clear aims will keep your willpower from dissolving."},
    {Challenging, Mars, Pluto, Only,
     "You will have a ferocious will and may become ruthless when challenged. Power struggles may recur throughout your life, and you may make enemies without meaning to. Violence, danger or great physical strain are possible. You must master your own force before it masters you; once you do, little can defeat you."},
    {Challenging, Jupiter, Saturn, Only,
     "You will swing between optimism and gloom, expansion and restraint. Opportunities may come at the wrong time, or you may miss them through hesitation. Your career may rise and fall in cycles, and disappointment may test your faith. Trust your judgement, and accept that growth sometimes requires delay."},
    {Challenging, Jupiter, Uranus, Only,
     "You will rebel against every creed and chase sudden opportunities. Gambling, speculation or restless travel may cost more than they return. Your beliefs may change abruptly. You can be impractical, promising reform without the means to achieve it. Ground your hopes before your luck runs out."},
    {Challenging, Jupiter, Neptune, Only,
     "You will put blind faith in hopes that have no ground under them. False prophets, charming frauds or schemes that promise too much may take you in. Your generosity may be exploited. Escape through drink or fantasy is a danger. Put every belief and every promise you meet to a practical test."},
    {Challenging, Jupiter, Pluto, Only,
     "You will be hungry for power and may clash with authorities, institutions or powerful rivals. Your convictions can harden into dogma. You may try to change others to fit your vision. Large financial ventures may bring large losses. Humility will protect you, for the more you grasp, the more you may lose."},
    {Challenging, Saturn, Uranus, Only,
     "You will be pulled between the need for security and the urge to break free. Old and new struggle in you, and you may swing from caution to rebellion. Sudden changes may undo what you have built with patience. The conflict can strain your nerves. You must learn when to hold firm and when to let change in."},
    {Challenging, Saturn, Neptune, Only,
     "You will be haunted by vague fears and a sense that your dreams are impossible. Disillusionment may follow hard work that seemed to lead nowhere. Chronic tiredness or a hidden illness may test you, and your faith may waver under pressure. Accept your limits gracefully and keep faith with the ideals that can be made real."},
    {Challenging, Saturn, Pluto, Only,
     "You will face hard trials involving loss, authority or forces beyond your control. Life may seem to demand more of you than is fair. Your ambition can turn harsh or secretive, and periods of heavy responsibility may drain you. Endure without growing bitter, for the strength you gain will be immense."},
    {Challenging, Uranus, Neptune, C,
     "Your generation will be caught between the wish for freedom and the longing for something to believe in. Ideals may collapse suddenly, and new faiths rise just as fast. The confusion of an age in transition will show in your own life. Your nerves may be sensitive to the unrest around you."},
    {Challenging, Uranus, Neptune, D,
     "You will have to keep adjusting your ideals to a world that changes faster than you can dream. Your generation may feel that neither the old faiths nor the new inventions quite fit. Restlessness and vague discontent may follow you. Vision and progress, you will find, need constant fine-tuning to live together."},
    {Challenging, Uranus, Pluto, C,
     "You will live through times of upheaval that test your nerve. Your generation is driven by a restless urge to tear down whatever feels false, and it may clash with those who resist. Sudden crises may force you to change direction. Aim your rebellion at real reform, not destruction for its own sake."},
    {Challenging, Uranus, Pluto, D,
     "You will feel an uneasy pressure to change your life in ways you cannot quite name. Your generation must adapt again and again to forces that shift underfoot. Plans may need reworking just when they seem settled. Adapt without losing your core, and the pressure will shape rather than break you."},
    {Challenging, Uranus, Pluto, E,
     "You will find yourself facing others openly on questions of power and freedom. Your generation may be set against another, with revolt on one side and entrenched control on the other. Confrontation may reach your door through politics, work or family. Stand firm without becoming the tyrant you oppose."},
    {Challenging, Neptune, Pluto, Only,
     "You will carry the unrest of a generation whose beliefs are being taken apart. Hidden fears and shared illusions may shape your choices more than you realise. Spiritual crisis may come before spiritual renewal. Look beneath appearances, and let go of what no longer holds meaning."},

    // Semi-sextile: readings of adjustment and growth.
    {SemiSextile, Sun, Moon, Only,
     "You are highly aware of the need to make adjustments in life. You will need to find the right balance in life where you will not be in conflict with your inner self as well be able to fulfill other people's desires."},
    {SemiSextile, Sun, Mercury, Only,
     "You will need to bring what you say into line with what you mean. Your thinking and your sense of self are close but not quite in step, so you may second-guess your own words. Listening well will help your ideas mature. Each year you will speak with more ease and more authority."},
    {SemiSextile, Sun, Venus, Only,
     "Your own wishes and the wishes of those you love will need balancing again and again. Compromises in love and taste, each of them modest, will add up to real wisdom. Modesty may suit you better than display. In time you will find a graceful way to be yourself and still please others."},
    {SemiSextile, Sun, Mars, Only,
     "You will have to learn when to push and when to wait. Your energy and your will do not always agree on timing, which can leave you restless. Minor setbacks are your schooling in patience. With practice you will aim your drive at goals that truly belong to you."},
    {SemiSextile, Sun, Jupiter, Only,
     "Growth will come to you through small steps rather than grand gestures. Opportunities will arrive, but you will have to fit your plans to them. Modest successes will deepen your faith in yourself more than any windfall. Keep your generosity within sensible bounds and it will serve you well."},
    {SemiSextile, Sun, Saturn, Only,
     "You will take on responsibility gradually, fitting your ambitions to what is possible. At first duty may feel like a weight, perhaps one your father handed you, yet it will become a source of strength. Patience with yourself is the lesson here. The authority you build in this slow way will be hard to shake."},
    {SemiSextile, Sun, Uranus, Only,
     "Freedom will have to find its room inside your everyday life. Small changes made often will suit you better than sudden revolutions. Your originality grows when you practise it regularly. Little by little you will learn to be yourself without needing to shock anyone."},
    {SemiSextile, Sun, Neptune, Only,
     "You will need to learn where your own wishes end and other people's begin. Your sensitivity is a gift that must be trained rather than indulged. Quiet reflection and creative work will help you find your centre. Self-knowledge and compassion will ripen in you together."},
    {SemiSextile, Sun, Pluto, Only,
     "You will pass through a series of small transformations rather than one great crisis. Each time you let go of something outworn, your will grows stronger. Use your influence gently while you learn its reach. Over the years you will discover hidden reserves of power in yourself."},
    {SemiSextile, Moon, Mercury, Only,
     "You will need to make peace between what you feel and what you think. Writing your feelings down, or talking them over with a friend, will help. Small changes to your daily routine can calm a busy mind. Once you learn to name your moods, they will trouble you far less."},
    {SemiSextile, Moon, Venus, Only,
     "You will learn to give affection without expecting too much in return. Your home will grow more harmonious as you adapt your tastes to those of the people you live with. A shared meal or a pretty room will please you more than grand gifts. Relations with the women of your family will mellow and deepen over time."},
    {SemiSextile, Moon, Mars, Only,
     "Your reactions will need a slower pace. Feelings rise quickly in you, and a moment's pause before you act will save you many small troubles. Regular exercise will release tension that would otherwise turn into irritation. As you grow calmer, you will also grow braver in matters of the heart."},
    {SemiSextile, Moon, Jupiter, Only,
     "Your mother's open hand may live on in you, and you will learn to keep it within reason. Hospitality is a strength of yours, but it needs a sense of measure. Meeting people from other backgrounds will broaden your outlook. The older you grow, the wiser your kindness will become."},
    {SemiSextile, Moon, Saturn, Only,
     "You will gradually discover that being responsible does not mean being cold. Your emotional reserve will soften as you come to feel safe in your surroundings. Small acts of care for yourself are part of this lesson. In the end you will be both dependable and warm, which is rarer than it sounds."},
    {SemiSextile, Moon, Uranus, Only,
     "You will have to get used to a home life that changes more often than you would like. Your moods may shift, and you will learn to accept them without alarm. A flexible routine suits you better than a rigid one. Every move or upheaval will leave you a little more independent."},
    {SemiSextile, Moon, Neptune, Only,
     "You will learn to trust your intuition while checking it against the facts. Your sensitivity needs rest, solitude and gentle surroundings. When you care for others, keep some care back for yourself so that you do not lose your footing. Slowly you will become a wise and compassionate presence."},
    {SemiSextile, Moon, Pluto, Only,
     "You will need to shed old emotional patterns that no longer serve you. Changing one habit at a time, quietly, can bring deep healing. Your feelings are strong and need honest expression rather than silence. Each emotional season you live through will leave you renewed."},
    {SemiSextile, Mercury, Venus, Only,
     "Your words will gain from a softer edge, and they need lose none of their meaning. Tact comes to you with practice, and you will find ways to join honesty with kindness. Your taste and your intellect will mature together. Study that touches on art or beauty will bring you special pleasure."},
    {SemiSextile, Mercury, Mars, Only,
     "You will need to express your views without making enemies. Your mind is quick and your tongue quicker, so a little restraint goes a long way. Debates will sharpen your skills if you keep them friendly. In the end you will be known as a forceful but fair speaker."},
    {SemiSextile, Mercury, Jupiter, Only,
     "Detail and the broad view will pull at your attention in turn. Your mind loves large ideas, so check that your plans are practical before you announce them. A patient teacher or a well-chosen course of study may help you bring the two together. People will come to seek your advice, and it will be worth having."},
    {SemiSextile, Mercury, Saturn, Only,
     "You will come to trust your own intelligence as experience proves it sound. Patience in study will repay you. A habit of worry can be turned, with effort, into a habit of planning. Over the years your judgement will become careful and reliable."},
    {SemiSextile, Mercury, Uranus, Only,
     "Your quick ideas will need time to settle before you act on them. Small experiments will teach you more than grand theories. Your mind thrives on change, yet it also needs some structure to work in. The more patient you become, the more inventive you will be."},
    {SemiSextile, Mercury, Neptune, Only,
     "You will learn to give your imagination clear words. Dreams and intuitions come to you freely, and you will need to test them against reality. Writing or art may help you find your voice. In time your thinking will be both inspired and dependable."},
    {SemiSextile, Mercury, Pluto, Only,
     "You will need to loosen your habit of looking for hidden motives. Your insight is deep, and it grows wiser when it is balanced by trust. Research and study will suit you well. You will learn that not every silence hides a secret."},
    {SemiSextile, Venus, Mars, Only,
     "Tenderness and passion will take turns in your relationships until you find their rhythm. Small misunderstandings with partners will teach you what you really want. Your creative energy needs a steady outlet. Confidence in love will come once you learn to ask plainly for what you desire."},
    {SemiSextile, Venus, Jupiter, Only,
     "Pleasure and spending will both ask you for moderation. Your generous nature will become wiser as you see where your gifts do the most good. Love and friendship will bring small lessons in give and take. Contentment, you will find, comes from simple joys."},
    {SemiSextile, Venus, Saturn, Only,
     "Love will grow for you through commitment and patience. Early shyness in affection will ease as you gain confidence. You may have to bring your expectations of partners closer to what is real. With each passing year your relationships will rest on firmer ground."},
    {SemiSextile, Venus, Uranus, Only,
     "Your wish for freedom and your wish for closeness will have to learn to live together. Your taste in love and art may change often, and you will learn to enjoy the variety without losing your steadiness. Friendships will teach you much about love. Security will make you more open, not less."},
    {SemiSextile, Venus, Neptune, Only,
     "You will learn to tell the difference between an ideal and a person. Your love of beauty and your compassion need grounding in daily life. Every disappointment in love sharpens your discernment a little. Over time you will love as kindly as before, but far more wisely."},
    {SemiSextile, Venus, Pluto, Only,
     "You will need to let your relationships breathe. With Pluto touching Venus, your feelings run deep, and small changes in love may feel larger than they are. Each bond will teach you something about trust and power. You will become a partner who loves intensely without holding on too tightly."},
    {SemiSextile, Mars, Jupiter, Only,
     "You will have to match your enthusiasm to your real resources. Jupiter widens whatever Mars begins, so your energy is large, and learning to plan will help you use it. Sport, travel or teaching may give it a good outlet. Knowing when to hold back will make you far more effective."},
    {SemiSextile, Mars, Saturn, Only,
     "You will learn to combine effort with patience. At times your drive may feel held back, but this teaches you to work steadily. Small frustrations will build your endurance. Eventually you will be the kind of person who finishes what you start."},
    {SemiSextile, Mars, Uranus, Only,
     "Sudden bursts of energy will need safe outlets. A few rebellions in youth will teach you which rules are worth keeping. Take care with speed and machines while you learn your limits. Caution, once learned, will make your daring more inventive rather than less."},
    {SemiSextile, Mars, Neptune, Only,
     "Your energy will need a clear direction, for without one it drifts. Until you find the cause that truly moves you, effort may feel strangely weightless. Gentle exercise and creative work will help. A quiet strength will build in you as your aims become clear."},
    {SemiSextile, Mars, Pluto, Only,
     "You will learn to handle your considerable willpower with care. Small conflicts will show you how strong you are and when to hold back. Physical training can channel your intensity. With time you will use power responsibly and be trusted with more of it."},
    {SemiSextile, Jupiter, Saturn, Only,
     "Expansion and caution will each have their season in your life. Your plans will gain from small, careful revisions. Opportunities will come at their own pace, and you will learn to wait for them. Practical wisdom will gather in you as the years pass."},
    {SemiSextile, Jupiter, Uranus, Only,
     "You will learn to welcome change as a path to growth. Unexpected chances will come your way, and you will need to adapt quickly to use them. Your beliefs may evolve over time. Every new experience will leave your mind a little more open."},
    {SemiSextile, Jupiter, Neptune, Only,
     "You will need to ground your faith in practical kindness. Your ideals are generous, and you will learn to check them against experience. Charity and spiritual study may help you grow. Telling hope from illusion is the wisdom this aspect asks of you."},
    {SemiSextile, Jupiter, Pluto, Only,
     "You will learn to turn your ambitions toward the common good. Small adjustments in how you seek influence will make a large difference. Your faith may go through a slow renewal. Quiet power and broad vision will come to you with maturity."},
    {SemiSextile, Saturn, Uranus, Only,
     "You will learn to reconcile tradition and change in your own life. Change is best brought into your life by degrees, not by sudden breaks. Saturn's discipline will steady the restless originality of Uranus. Both the old guard and the young will come to trust you."},
    {SemiSextile, Saturn, Neptune, Only,
     "Your dreams must be fitted to the limits of time and means. Patient work will gradually make your ideals real. At times you may feel discouraged, but persistence will carry you through. What you finally build will carry both your faith and your good sense."},
    {SemiSextile, Saturn, Pluto, Only,
     "Change will come to you slowly and under pressure, and patience will be your best tool. Gradual transformations in your career or duties will test your resolve. Some old structures in your life, even ones you built yourself, may have to be dismantled. What you rebuild afterwards will be stronger than what you lost."},
    {SemiSextile, Uranus, Neptune, Only,
     "Along with your generation, you will see ideals reshaped slowly and steadily. New ideas and spiritual longings will gradually merge. You may feel a quiet restlessness that leads to growth. Follow your intuition into new territory, one careful step at a time."},
    {SemiSextile, Uranus, Pluto, Only,
     "Your generation is adjusting gradually to deep social change, and you will feel it in your own life. Reform by reform, the world you grew up in will be remade. As old structures give way, you will learn to adapt. Your growth lies in accepting change rather than fearing it."},
    {SemiSextile, Neptune, Pluto, Only,
     "Yours is a generation learning to fit its beliefs to a changing world. Spiritual growth will come slowly, through inner reflection. You will let go of illusions step by step. Renewal will come quietly, from within."},
}};

// Keys whose paragraph is not the pair's only paragraph in its pool: the
// Venus-Uranus sextile and trine borrow the Venus-Saturn paragraph, and the
// outer-planet pairs read differently from one aspect to the next.
struct Exception {
  AspectKind kind;
  Body first;
  Body second;
  Body rowFirst;
  Body rowSecond;
  ParagraphVariant variant;
};

constexpr Exception kExceptions[] = {
    {AspectKind::Sextile, Venus, Uranus, Venus, Saturn, Only},
    {AspectKind::Trine, Venus, Uranus, Venus, Saturn, Only},
    {AspectKind::Conjunction, Uranus, Neptune, Uranus, Neptune, A},
    {AspectKind::Sextile, Uranus, Neptune, Uranus, Neptune, B},
    {AspectKind::Trine, Uranus, Neptune, Uranus, Neptune, B},
    {AspectKind::Square, Uranus, Neptune, Uranus, Neptune, C},
    {AspectKind::Quincunx, Uranus, Neptune, Uranus, Neptune, D},
    {AspectKind::Opposition, Uranus, Neptune, Uranus, Neptune, C},
    {AspectKind::Conjunction, Uranus, Pluto, Uranus, Pluto, A},
    {AspectKind::Sextile, Uranus, Pluto, Uranus, Pluto, B},
    {AspectKind::Trine, Uranus, Pluto, Uranus, Pluto, B},
    {AspectKind::Square, Uranus, Pluto, Uranus, Pluto, C},
    {AspectKind::Quincunx, Uranus, Pluto, Uranus, Pluto, D},
    {AspectKind::Opposition, Uranus, Pluto, Uranus, Pluto, E},
    {AspectKind::Conjunction, Neptune, Pluto, Neptune, Pluto, A},
    {AspectKind::Sextile, Neptune, Pluto, Neptune, Pluto, B},
    {AspectKind::Trine, Neptune, Pluto, Neptune, Pluto, B},
};

constexpr std::uint8_t FindRow(ParagraphPool pool, Body first, Body second, ParagraphVariant variant) {
  for (std::size_t row = 0; row < kParagraphs.size(); ++row) {
    const Row& r = kParagraphs[row];
    if (r.pool == pool && r.first == first && r.second == second && r.variant == variant) {
      return static_cast<std::uint8_t>(row);
    }
  }
  return kNoParagraph;
}

// The row of a key, with the bodies in body order.
constexpr std::uint8_t RowOf(AspectKind kind, Body first, Body second) {
  for (const Exception& e : kExceptions) {
    if (e.kind == kind && e.first == first && e.second == second) {
      return FindRow(PoolOf(kind), e.rowFirst, e.rowSecond, e.variant);
    }
  }
  return FindRow(PoolOf(kind), first, second, Only);
}

// Every paragraph followed by the blank line that closes its entry in a
// result box, laid out end to end at compile time, so that an entry's text is
// copied once rather than assembled.
constexpr std::size_t kEntryBytes = [] {
  std::size_t bytes = 0;
  for (const Row& r : kParagraphs) bytes += r.text.size() + kEntryEnd.size();
  return bytes;
}();

constexpr std::array<char, kEntryBytes> kEntryTexts = [] {
  std::array<char, kEntryBytes> text{};
  std::size_t at = 0;
  for (const Row& r : kParagraphs) {
    for (char c : r.text) text[at++] = c;
    for (char c : kEntryEnd) text[at++] = c;
  }
  return text;
}();

constexpr InterpretationTable BuildTable() {
  InterpretationTable table{kParagraphs, {}, {}};
  std::size_t at = 0;
  for (std::size_t row = 0; row < kParagraphs.size(); ++row) {
    const std::size_t length = kParagraphs[row].text.size() + kEntryEnd.size();
    table.entries[row] = std::string_view(kEntryTexts.data() + at, length);
    at += length;
  }
  for (AspectKindInfo info : kAspectKinds) {
    InterpretationGrid& grid = table.grids[Index(info.kind)];
    for (Body a : kAllBodies) {
      for (Body b : kAllBodies) {
        std::uint8_t row = kNoParagraph;
        if (a < b) row = RowOf(info.kind, a, b);
        if (b < a) row = RowOf(info.kind, b, a);
        grid[Index(a)][Index(b)] = row;
      }
    }
  }
  return table;
}

constexpr InterpretationTable kTable = BuildTable();

// Every cell off the diagonal finds its paragraph, and every paragraph is
// reached from some cell: a row with a mistyped key fails the build.
constexpr bool EveryKeyHasAParagraph() {
  for (const InterpretationGrid& grid : kTable.grids) {
    for (std::size_t a = 0; a < kBodyCount; ++a) {
      for (std::size_t b = 0; b < kBodyCount; ++b) {
        if ((a == b) != (grid[a][b] == kNoParagraph)) return false;
      }
    }
  }
  return true;
}

constexpr bool EveryParagraphIsUsed() {
  for (std::size_t row = 0; row < kParagraphs.size(); ++row) {
    bool used = false;
    for (const InterpretationGrid& grid : kTable.grids) {
      for (const auto& line : grid) {
        for (std::uint8_t cell : line) used = used || cell == row;
      }
    }
    if (!used) return false;
  }
  return true;
}

static_assert(EveryKeyHasAParagraph());
static_assert(EveryParagraphIsUsed());

}  // namespace

const InterpretationTable& GetInterpretationTable() { return kTable; }

}  // namespace orbisca
