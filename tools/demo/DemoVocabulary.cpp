#include "tools/demo/DemoVocabulary.h"

// Every French text keeps to Latin-1, which the narrow-character program
// shows as it is (it keeps the low byte of each character of the page).

namespace {

const DemoGender M = DemoGender::Masculine;
const DemoGender F = DemoGender::Feminine;
const DemoGender P = DemoGender::Plural;

const DemoSubject kSubjects[] = {
    {{u"le capitaine", u"капитан", u"the captain"}, M},
    {{u"la jeune femme", u"молодая женщина", u"the young woman"}, F},
    {{u"le vieux pêcheur", u"старый рыбак", u"the old fisherman"}, M},
    {{u"Julien", u"Жюльен", u"Julien"}, M},
    {{u"Margot", u"Марго", u"Margot"}, F},
    {{u"madame Aubert", u"госпожа Обер", u"Madame Aubert"}, F},
    {{u"le docteur Lenoir", u"доктор Ленуар", u"Doctor Lenoir"}, M},
    {{u"la servante", u"служанка", u"the maid"}, F},
    {{u"les pêcheurs", u"рыбаки", u"the fishermen"}, P},
    {{u"les enfants", u"дети", u"the children"}, P},
    {{u"il", u"он", u"he"}, M},
    {{u"elle", u"она", u"she"}, F},
    {{u"ils", u"они", u"they"}, P},
    {{u"mon oncle", u"мой дядя", u"my uncle"}, M},
    {{u"sa mère", u"его мать", u"his mother"}, F},
    {{u"le notaire", u"нотариус", u"the notary"}, M},
    {{u"l'instituteur", u"учитель", u"the schoolmaster"}, M},
    {{u"la vieille Jeanne", u"старая Жанна", u"old Jeanne"}, F},
    {{u"les voisins", u"соседи", u"the neighbours"}, P},
    {{u"le garçon", u"мальчик", u"the boy"}, M},
    {{u"la petite Claire", u"маленькая Клер", u"little Claire"}, F},
    {{u"le meunier", u"мельник", u"the miller"}, M},
};

const uint32_t kAny = kDemoOpenable | kDemoPortable | kDemoReadable | kDemoPlace | kDemoView | kDemoAwaited;

const DemoVerb kVerbs[] = {
    {u"regardait", u"regardaient", u"смотрел на", u"смотрела на", u"смотрели на", u"looked at", u"look at", kAny},
    {u"attendait", u"attendaient", u"ждал", u"ждала", u"ждали", u"waited for", u"wait for", kDemoAwaited},
    {u"ouvrit", u"ouvrirent", u"открыл", u"открыла", u"открыли", u"opened", u"open", kDemoOpenable},
    {u"ferma", u"fermèrent", u"закрыл", u"закрыла", u"закрыли", u"closed", u"close", kDemoOpenable},
    {u"cherchait", u"cherchaient", u"искал", u"искала", u"искали", u"looked for", u"look for",
     kDemoPortable | kDemoPlace},
    {u"aimait", u"aimaient", u"любил", u"любила", u"любили", u"loved", u"love", kDemoPlace | kDemoView},
    {u"voyait", u"voyaient", u"видел", u"видела", u"видели", u"saw", u"see", kAny},
    {u"quitta", u"quittèrent", u"покинул", u"покинула", u"покинули", u"left", u"leave", kDemoPlace},
    {u"trouva", u"trouvèrent", u"нашёл", u"нашла", u"нашли", u"found", u"find", kDemoPortable},
    {u"oublia", u"oublièrent", u"забыл", u"забыла", u"забыли", u"forgot", u"forget", kDemoPortable},
    {u"traversa", u"traversèrent", u"пересёк", u"пересекла", u"пересекли", u"crossed", u"cross", kDemoPlace},
    {u"connaissait", u"connaissaient", u"знал", u"знала", u"знали", u"knew", u"know", kDemoPlace},
    {u"montra", u"montrèrent", u"показал", u"показала", u"показали", u"showed", u"show", kDemoPortable},
    {u"gardait", u"gardaient", u"хранил", u"хранила", u"хранили", u"kept", u"keep", kDemoPortable},
    {u"relut", u"relurent", u"перечитал", u"перечитала", u"перечитали", u"reread", u"reread", kDemoReadable},
    {u"posa", u"posèrent", u"положил", u"положила", u"положили", u"put down", u"put down", kDemoPortable},
    {u"emporta", u"emportèrent", u"унёс", u"унесла", u"унесли", u"took away", u"take away", kDemoPortable},
    {u"se taisait", u"se taisaient", u"молчал", u"молчала", u"молчали", u"kept silent", u"keep silent", 0},
    {u"souriait", u"souriaient", u"улыбался", u"улыбалась", u"улыбались", u"smiled", u"smile", 0},
    {u"attendait", u"attendaient", u"ждал", u"ждала", u"ждали", u"waited", u"wait", 0},
    {u"dormait", u"dormaient", u"спал", u"спала", u"спали", u"slept", u"sleep", 0},
    {u"rêvait", u"rêvaient", u"мечтал", u"мечтала", u"мечтали", u"dreamed", u"dream", 0},
    {u"riait", u"riaient", u"смеялся", u"смеялась", u"смеялись", u"laughed", u"laugh", 0},
    {u"partit", u"partirent", u"ушёл", u"ушла", u"ушли", u"went away", u"go away", 0},
    {u"revint", u"revinrent", u"вернулся", u"вернулась", u"вернулись", u"came back", u"come back", 0},
    {u"marchait", u"marchaient", u"шёл", u"шла", u"шли", u"walked", u"walk", 0},
    {u"écoutait", u"écoutaient", u"слушал", u"слушала", u"слушали", u"listened", u"listen", 0},
    {u"hésita", u"hésitèrent", u"колебался", u"колебалась", u"колебались", u"hesitated", u"hesitate", 0},
    {u"s'arrêta", u"s'arrêtèrent", u"остановился", u"остановилась", u"остановились", u"stopped", u"stop", 0},
    {u"travaillait", u"travaillaient", u"работал", u"работала", u"работали", u"worked", u"work", 0},
    {u"chantait", u"chantaient", u"пел", u"пела", u"пели", u"sang", u"sing", 0},
    {u"pleurait", u"pleuraient", u"плакал", u"плакала", u"плакали", u"wept", u"weep", 0},
};

const DemoObject kObjects[] = {
    {{u"la lettre", u"письмо", u"the letter"}, kDemoOpenable | kDemoPortable | kDemoReadable | kDemoAwaited},
    {{u"la porte", u"дверь", u"the door"}, kDemoOpenable},
    {{u"la fenêtre", u"окно", u"the window"}, kDemoOpenable},
    {{u"le livre", u"книгу", u"the book"}, kDemoOpenable | kDemoPortable | kDemoReadable},
    {{u"la boîte", u"коробку", u"the box"}, kDemoOpenable | kDemoPortable},
    {{u"le journal", u"газету", u"the newspaper"}, kDemoPortable | kDemoReadable | kDemoAwaited},
    {{u"la lampe", u"лампу", u"the lamp"}, kDemoPortable},
    {{u"la clé", u"ключ", u"the key"}, kDemoPortable},
    {{u"le vieux chapeau", u"старую шляпу", u"the old hat"}, kDemoPortable},
    {{u"le panier", u"корзину", u"the basket"}, kDemoPortable},
    {{u"le carnet", u"записную книжку", u"the notebook"}, kDemoOpenable | kDemoPortable | kDemoReadable},
    {{u"la carte", u"карту", u"the map"}, kDemoPortable | kDemoReadable},
    {{u"le médecin", u"врача", u"the doctor"}, kDemoAwaited},
    {{u"la mer", u"море", u"the sea"}, kDemoPlace | kDemoView},
    {{u"le port", u"порт", u"the harbour"}, kDemoPlace | kDemoView},
    {{u"le jardin", u"сад", u"the garden"}, kDemoPlace},
    {{u"le village", u"деревню", u"the village"}, kDemoPlace},
    {{u"la route", u"дорогу", u"the road"}, kDemoPlace},
    {{u"la place", u"площадь", u"the square"}, kDemoPlace},
    {{u"la cour", u"двор", u"the courtyard"}, kDemoPlace},
    {{u"la vieille maison", u"старый дом", u"the old house"}, kDemoPlace},
    {{u"les collines", u"холмы", u"the hills"}, kDemoPlace | kDemoView},
    {{u"les lumières du port", u"огни порта", u"the lights of the harbour"}, kDemoView},
    {{u"le ciel", u"небо", u"the sky"}, kDemoView},
    {{u"les bateaux", u"лодки", u"the boats"}, kDemoView | kDemoAwaited},
    {{u"la lune", u"луну", u"the moon"}, kDemoView},
};

const DemoAdverbial kAdverbials[] = {
    {{u"ce soir-là", u"в тот вечер", u"that evening"}, DemoAdverbialKind::Time},
    {{u"sans un mot", u"без единого слова", u"without a word"}, DemoAdverbialKind::Manner},
    {{u"dans la cour", u"во дворе", u"in the courtyard"}, DemoAdverbialKind::Place},
    {{u"près du port", u"у порта", u"near the harbour"}, DemoAdverbialKind::Place},
    {{u"depuis longtemps", u"давно", u"for a long time"}, DemoAdverbialKind::Time},
    {{u"avec lenteur", u"медленно", u"slowly"}, DemoAdverbialKind::Manner},
    {{u"en silence", u"молча", u"in silence"}, DemoAdverbialKind::Manner},
    {{u"sous la pluie", u"под дождём", u"in the rain"}, DemoAdverbialKind::Manner},
    {{u"au bord de l'eau", u"у воды", u"by the water"}, DemoAdverbialKind::Place},
    {{u"comme autrefois", u"как прежде", u"as in the old days"}, DemoAdverbialKind::Manner},
    {{u"chaque matin", u"каждое утро", u"every morning"}, DemoAdverbialKind::Time},
    {{u"encore", u"снова", u"again"}, DemoAdverbialKind::Time},
    {{u"enfin", u"наконец", u"at last"}, DemoAdverbialKind::Time},
    {{u"toute la nuit", u"всю ночь", u"all night"}, DemoAdverbialKind::Time},
    {{u"à la fenêtre", u"у окна", u"at the window"}, DemoAdverbialKind::Place},
    {{u"derrière la maison", u"за домом", u"behind the house"}, DemoAdverbialKind::Place},
    {{u"sur la place", u"на площади", u"in the square"}, DemoAdverbialKind::Place},
    {{u"au loin", u"вдали", u"in the distance"}, DemoAdverbialKind::Place},
    {{u"un instant", u"на мгновение", u"for a moment"}, DemoAdverbialKind::Time},
    {{u"longtemps", u"долго", u"for a long while"}, DemoAdverbialKind::Time},
    {{u"doucement", u"тихо", u"quietly"}, DemoAdverbialKind::Manner},
    {{u"déjà", u"уже", u"already"}, DemoAdverbialKind::Time},
    {{u"toujours", u"всё ещё", u"still"}, DemoAdverbialKind::Time},
    {{u"là", u"там", u"there"}, DemoAdverbialKind::Place},
    {{u"ici", u"здесь", u"here"}, DemoAdverbialKind::Place},
    {{u"ce jour-là", u"в тот день", u"that day"}, DemoAdverbialKind::Time},
    {{u"à midi", u"в полдень", u"at noon"}, DemoAdverbialKind::Time},
    {{u"avant l'aube", u"до рассвета", u"before dawn"}, DemoAdverbialKind::Time},
    {{u"après le dîner", u"после ужина", u"after dinner"}, DemoAdverbialKind::Time},
    {{u"malgré le vent", u"несмотря на ветер", u"despite the wind"}, DemoAdverbialKind::Manner},
    {{u"sans se presser", u"не торопясь", u"without hurrying"}, DemoAdverbialKind::Manner},
    {{u"devant l'église", u"перед церковью", u"in front of the church"}, DemoAdverbialKind::Place},
    {{u"sur le quai", u"на набережной", u"on the quay"}, DemoAdverbialKind::Place},
    {{u"dans le jardin", u"в саду", u"in the garden"}, DemoAdverbialKind::Place},
    {{u"le long de la route", u"вдоль дороги", u"along the road"}, DemoAdverbialKind::Place},
    {{u"au coin du feu", u"у огня", u"by the fire"}, DemoAdverbialKind::Place},
    {{u"pour la dernière fois", u"в последний раз", u"for the last time"}, DemoAdverbialKind::Time},
    {{u"de temps en temps", u"время от времени", u"from time to time"}, DemoAdverbialKind::Time},
    {{u"tout à coup", u"вдруг", u"all of a sudden"}, DemoAdverbialKind::Time},
    {{u"en secret", u"тайком", u"in secret"}, DemoAdverbialKind::Manner},
    {{u"avec soin", u"осторожно", u"with care"}, DemoAdverbialKind::Manner},
    {{u"sans bruit", u"бесшумно", u"without a sound"}, DemoAdverbialKind::Manner},
    {{u"avec peine", u"с трудом", u"with difficulty"}, DemoAdverbialKind::Manner},
    {{u"tristement", u"печально", u"sadly"}, DemoAdverbialKind::Manner},
    {{u"gaiement", u"весело", u"cheerfully"}, DemoAdverbialKind::Manner},
    {{u"au village", u"в деревне", u"in the village"}, DemoAdverbialKind::Place},
    {{u"près de la porte", u"у двери", u"by the door"}, DemoAdverbialKind::Place},
    {{u"sur la route", u"на дороге", u"on the road"}, DemoAdverbialKind::Place},
    {{u"le soir", u"вечером", u"in the evening"}, DemoAdverbialKind::Time},
    {{u"ce matin-là", u"в то утро", u"that morning"}, DemoAdverbialKind::Time},
    {{u"parfois", u"иногда", u"sometimes"}, DemoAdverbialKind::Time},
    {{u"souvent", u"часто", u"often"}, DemoAdverbialKind::Time},
};

const DemoWords kOpeners[] = {
    {u"ce soir-là, ", u"в тот вечер ", u"that evening, "},
    {u"soudain, ", u"вдруг ", u"suddenly, "},
    {u"au matin, ", u"утром ", u"in the morning, "},
    {u"pourtant, ", u"однако ", u"yet "},
    {u"alors, ", u"тогда ", u"then "},
    {u"le lendemain, ", u"на следующий день ", u"the next day, "},
    {u"plus tard, ", u"позже ", u"later, "},
    {u"à l'aube, ", u"на рассвете ", u"at dawn, "},
    {u"en hiver, ", u"зимой ", u"in winter, "},
    {u"cette année-là, ", u"в тот год ", u"that year, "},
};

const uint32_t S = kDemoStops;
const uint32_t E = kDemoStops | kDemoExclaims;
const uint32_t Q = kDemoStops | kDemoAsks;
const uint32_t A = kDemoAsks;

const DemoInterjection kInterjections[] = {
    {{u"oui", u"да", u"yes"}, E | kDemoLeads | kDemoAnswers},
    {{u"non", u"нет", u"no"}, E | kDemoLeads | kDemoAnswers},
    {{u"ah", u"ах", u"ah"}, E | kDemoLeads},
    {{u"oh", u"о", u"oh"}, E | kDemoLeads},
    {{u"bon", u"ладно", u"all right"}, S | kDemoLeads},
    {{u"tiens", u"вот как", u"well"}, E | kDemoLeads},
    {{u"hélas", u"увы", u"alas"}, E | kDemoLeads},
    {{u"allons", u"ну же", u"come on"}, E | kDemoLeads},
    {{u"voilà", u"вот", u"there it is"}, S | kDemoLeads},
    {{u"bien sûr", u"конечно", u"of course"}, E | kDemoLeads},
    {{u"pourquoi", u"почему", u"why"}, A},
    {{u"jamais", u"никогда", u"never"}, E},
    {{u"peut-être", u"может быть", u"perhaps"}, Q},
    {{u"merci", u"спасибо", u"thank you"}, E | kDemoLeads},
    {{u"adieu", u"прощай", u"farewell"}, E},
    {{u"silence", u"тише", u"silence"}, E},
    {{u"attendez", u"подождите", u"wait"}, E | kDemoLeads},
    {{u"déjà", u"уже", u"already"}, Q},
    {{u"enfin", u"наконец", u"at last"}, E | kDemoLeads},
    {{u"pardon", u"простите", u"sorry"}, S | kDemoLeads},
    {{u"bonsoir", u"добрый вечер", u"good evening"}, E},
    {{u"bonjour", u"здравствуйте", u"good morning"}, E},
    {{u"courage", u"смелее", u"courage"}, E},
    {{u"tant pis", u"что ж", u"never mind"}, S | kDemoLeads},
    {{u"tant mieux", u"тем лучше", u"so much the better"}, E | kDemoLeads},
    {{u"mon Dieu", u"боже мой", u"my God"}, E | kDemoLeads},
    {{u"en effet", u"в самом деле", u"indeed"}, S | kDemoLeads},
    {{u"sans doute", u"несомненно", u"no doubt"}, Q | kDemoLeads},
    {{u"quelle nuit", u"какая ночь", u"what a night"}, E},
    {{u"quel silence", u"какая тишина", u"what a silence"}, E},
    {{u"c'est lui", u"это он", u"it is him"}, Q | E},
    {{u"c'est elle", u"это она", u"it is her"}, Q | E},
    {{u"il pleut", u"идёт дождь", u"it is raining"}, Q},
    {{u"viens", u"иди сюда", u"come here"}, E},
    {{u"écoute", u"слушай", u"listen"}, E | kDemoLeads},
    {{u"regarde", u"смотри", u"look"}, E | kDemoLeads},
    {{u"vraiment", u"правда", u"really"}, A | S | kDemoLeads},
    {{u"très bien", u"очень хорошо", u"very well"}, S | kDemoLeads},
    {{u"personne", u"никого", u"nobody"}, S},
    {{u"rien", u"ничего", u"nothing"}, S},
    {{u"ici", u"здесь", u"here"}, Q},
    {{u"là-bas", u"там", u"over there"}, S},
    {{u"demain", u"завтра", u"tomorrow"}, Q},
    {{u"ce soir", u"сегодня вечером", u"tonight"}, Q},
    {{u"toujours", u"всегда", u"always"}, S},
    {{u"et alors", u"и что же", u"and then"}, A | kDemoLeads},
    {{u"qui est là", u"кто там", u"who is there"}, A},
};

} // namespace

uint32_t demoSubjectCount()
{
    return sizeof(kSubjects) / sizeof(kSubjects[0]);
}

const DemoSubject& demoSubject(uint32_t i)
{
    return kSubjects[i < demoSubjectCount() ? i : 0];
}

uint32_t demoVerbCount()
{
    return sizeof(kVerbs) / sizeof(kVerbs[0]);
}

const DemoVerb& demoVerb(uint32_t i)
{
    return kVerbs[i < demoVerbCount() ? i : 0];
}

uint32_t demoObjectCount()
{
    return sizeof(kObjects) / sizeof(kObjects[0]);
}

const DemoObject& demoObject(uint32_t i)
{
    return kObjects[i < demoObjectCount() ? i : 0];
}

uint32_t demoAdverbialCount()
{
    return sizeof(kAdverbials) / sizeof(kAdverbials[0]);
}

const DemoAdverbial& demoAdverbial(uint32_t i)
{
    return kAdverbials[i < demoAdverbialCount() ? i : 0];
}

uint32_t demoOpenerCount()
{
    return sizeof(kOpeners) / sizeof(kOpeners[0]);
}

const DemoWords& demoOpener(uint32_t i)
{
    return kOpeners[i < demoOpenerCount() ? i : 0];
}

uint32_t demoInterjectionCount()
{
    return sizeof(kInterjections) / sizeof(kInterjections[0]);
}

const DemoInterjection& demoInterjection(uint32_t i)
{
    return kInterjections[i < demoInterjectionCount() ? i : 0];
}
